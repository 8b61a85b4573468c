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
    case ContentMenuCopy:
        return state.hasSelection;
    case ContentMenuCut:
    case ContentMenuDelete:
        return state.editable && state.hasSelection;
    case ContentMenuPaste:
    case ContentMenuPastePlainText:
        return state.editable && state.clipboardHasText;
    case ContentMenuSelectAll:
        return state.hasText;
    case ContentMenuFont:
        return true;
    default:
        return false;
    }
}
