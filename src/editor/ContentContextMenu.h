#pragma once

#include <vector>

// The right-click menu of a tab's content text: the application's edit popup. Its items in order, 0 standing for
// a separator.
enum ContentMenuCommand : int {
    ContentMenuUndo = 57643,
    ContentMenuCut = 57635,
    ContentMenuCopy = 57634,
    ContentMenuPaste = 57637,
    ContentMenuPastePlainText = 33070,
    ContentMenuPasteSpecial = 57639,
    ContentMenuDelete = 57632,
    ContentMenuSelectAll = 57642,
    ContentMenuFont = 33064,
};
const std::vector<int>& ContentContextMenuCommands();

// What the items' enabling depends on: the state of the text control they act on.
struct ContentMenuState {
    // A read-only control (the condition and output panes, the totals) offers nothing that changes its text.
    bool editable = true;
    bool canUndo = false;
    bool hasSelection = false;
    bool hasText = false;
    bool clipboardHasText = false;
};
// Whether an item of the menu, or the Edit command of the same id, is enabled for a text control. Paste special
// has nothing here to offer beyond the text (the content is stored as plain text) and stays disabled; the font
// item always answers, if only to say why it cannot act.
bool IsContentMenuCommandEnabled(int command, const ContentMenuState& state);
