#pragma once

#include "platform/CommandRegistry.h"

#include <functional>

class CSplREdit;
class QWidget;

// The logic editor that holds the keyboard focus, or null.
CSplREdit* FocusedLogicEditor();

// What the edit commands of the main window may do now in the focused logic editor.
struct LogicEditorEditState {
    bool focused = false;
    bool canCopy = false;
    bool canCut = false;
    bool canPaste = false;
    bool canUndo = false;
};
LogicEditorEditState FocusedLogicEditorState();

// Asks for a line number between 1 and the description's line count; -1 when cancelled.
using LinePrompt = std::function<int(QWidget* parent, int lineCount)>;

// The main window's edit rows that the logic editor serves when it has the focus: undo, cut, copy, paste,
// delete, select all, and the jump to a line. Elsewhere the focused text control does its own.
void AddLogicEditorCommands(CCommandRegistry& registry, LinePrompt promptLine);
