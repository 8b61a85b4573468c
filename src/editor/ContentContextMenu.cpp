#include "editor/ContentContextMenu.h"

const std::vector<int>& ContentContextMenuCommands() {
    static const std::vector<int> commands = {
        ContentMenuUndo,
        0,
        ContentMenuCut,
        ContentMenuCopy,
        ContentMenuPaste,
        ContentMenuPastePlainText,
        ContentMenuPasteSpecial,
        ContentMenuDelete,
        0,
        ContentMenuSelectAll,
        0,
        ContentMenuFont,
    };
    return commands;
}

bool IsContentMenuCommandEnabled(int command, const ContentMenuState& state) {
    switch (command) {
    case ContentMenuUndo:
        return state.canUndo;
    case ContentMenuCut:
    case ContentMenuCopy:
    case ContentMenuDelete:
        return state.hasSelection;
    case ContentMenuPaste:
    case ContentMenuPastePlainText:
        return state.clipboardHasText;
    case ContentMenuSelectAll:
        return state.hasText;
    case ContentMenuFont:
        return true;
    default:
        return false;
    }
}

bool IsReadOnlyPaneMenuCommandEnabled(int command) {
    return command != ContentMenuCut && command != ContentMenuPaste && command != ContentMenuDelete;
}
