#include "editor/ui/LogicEditorCommands.h"

#include "editor/LogicEditCommandMap.h"
#include "editor/ui/SplREdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// The text controls of the tab do the edit commands their own way.
void RunInTextControl(QWidget* focus, int id) {
    const auto run = [id](auto* control) {
        switch (id) {
        case LogicEditCommand::EditUndo:
            control->undo();
            break;
        case LogicEditCommand::EditCut:
            control->cut();
            break;
        case LogicEditCommand::EditCopy:
            control->copy();
            break;
        case LogicEditCommand::EditPaste:
            control->paste();
            break;
        case LogicEditCommand::EditSelectAll:
            control->selectAll();
            break;
        default:
            break;
        }
    };
    if (auto* line = qobject_cast<QLineEdit*>(focus))
        run(line);
    else if (auto* text = qobject_cast<QTextEdit*>(focus))
        run(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus))
        run(plain);
}

} // namespace

CSplREdit* FocusedLogicEditor() {
    for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
        if (auto* editor = qobject_cast<CSplREdit*>(widget))
            return editor;
    }
    return nullptr;
}

LogicEditorEditState FocusedLogicEditorState() {
    LogicEditorEditState state;
    if (const CSplREdit* editor = FocusedLogicEditor()) {
        state.focused = true;
        state.canCopy = editor->IsCommandEnabled(LogicEditCommand::EditCopy);
        state.canCut = editor->IsCommandEnabled(LogicEditCommand::EditCut);
        state.canPaste = editor->IsCommandEnabled(LogicEditCommand::EditPaste);
        state.canUndo = editor->IsCommandEnabled(LogicEditCommand::EditUndo);
    }
    return state;
}

void AddLogicEditorCommands(CCommandRegistry& registry, LinePrompt promptLine) {
    using enum CommandRule;
    const CommandHandler edit = [](int id) {
        if (CSplREdit* editor = FocusedLogicEditor())
            editor->RunCommand(id);
        else
            RunInTextControl(QApplication::focusWidget(), id);
    };
    const auto add = [&registry](int id, CommandHandler handler, CommandRule rule, const char* shortcut) {
        registry.Add({id, std::move(handler), rule, id, shortcut, CommandIcon::None});
    };
    add(LogicEditCommand::EditUndo, edit, Undo, "Ctrl+Z");
    add(LogicEditCommand::EditCut, edit, Cut, "Ctrl+X");
    add(LogicEditCommand::EditCopy, edit, Copy, "Ctrl+C");
    add(LogicEditCommand::EditPaste, edit, Paste, "Ctrl+V");
    add(LogicEditCommand::EditClear, edit, Cut, "");
    add(LogicEditCommand::EditSelectAll, edit, SelectAll, "Ctrl+A");
    add(
        LogicEditCommand::JumpToLine,
        [promptLine](int) {
            CSplREdit* editor = FocusedLogicEditor();
            if (!editor || !promptLine)
                return;
            // The lines of the description, not the append line after them.
            const int line = promptLine(editor->window(), editor->Model().RecordCount());
            if (line >= 0)
                editor->GoToLine(line);
        },
        DocumentOpen, "Ctrl+G");
}
