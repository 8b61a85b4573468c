#pragma once

#include "platform/CommandRegistry.h"

#include <functional>

class CSplREdit;
class QWidget;

// The logic editor that holds the keyboard focus, or null.
CSplREdit* FocusedLogicEditor();

// What the edit commands of the main window may do now in the control of a tab that has the focus: the logic
// editor, a header box, a column of the condition or output pane, or the content text. Delete follows Cut.
struct EditCommandState {
    bool focused = false;
    bool canCopy = false;
    bool canCut = false;
    bool canPaste = false;
    bool canSelectAll = false;
    bool canUndo = false;
};
EditCommandState FocusedEditCommandState();

// Asks for a line number between 1 and the description's line count; -1 when cancelled.
using LinePrompt = std::function<int(QWidget* parent, int lineCount)>;
// The logic editor of the active tab, or null without one.
using ActiveLogicEditor = std::function<CSplREdit*()>;

// The main window's edit rows: undo, cut, copy, paste, delete and select all act on the logic editor, the header
// box, the pane's column or the content text that has the focus; and the jump to a line of the active tab's logic
// editor, from wherever the focus is.
void AddLogicEditorCommands(CCommandRegistry& registry, ActiveLogicEditor activeEditor, LinePrompt promptLine);
