#include "editor/ui/LogicEditorCommands.h"

#include "editor/LogicEditCommandMap.h"
#include "editor/ui/NUVView.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/SplREdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>

namespace {

// The widget that had the focus before the menu bar took it for the keyboard (Alt and a menu's letter).
QPointer<QWidget> g_focusBeforeMenuBar;

// The widget the edit commands act on: the one with the focus, or, while the menu bar holds the focus, the one
// that had it before.
QWidget* EditCommandFocus() {
    QWidget* focus = QApplication::focusWidget();
    return qobject_cast<QMenuBar*>(focus) ? g_focusBeforeMenuBar.data() : focus;
}

// The header form whose box has the focus, with the box; nulls elsewhere.
std::pair<CNUVView*, QLineEdit*> FocusedHeaderBox(QWidget* focus) {
    for (QWidget* widget = focus; widget; widget = widget->parentWidget()) {
        if (auto* form = qobject_cast<CNUVView*>(widget))
            return {form, form->EditCommandBox(focus)};
    }
    return {nullptr, nullptr};
}

// The text controls of a tab other than the logic editor run the edit commands their own way: a header box
// through its form, a pane's column and the content text by their menu's commands.
void RunInTextControl(QWidget* focus, int id) {
    if (auto* control = qobject_cast<CRichEditCtrlEx*>(focus)) {
        if (IsContentMenuCommandEnabled(id, control->MenuState()))
            control->RunContextMenuCommand(id);
    } else if (const auto [form, box] = FocusedHeaderBox(focus); box) {
        form->RunEditCommand(*box, id);
    }
}

} // namespace

CSplREdit* FocusedLogicEditor() {
    for (QWidget* widget = EditCommandFocus(); widget; widget = widget->parentWidget()) {
        if (auto* editor = qobject_cast<CSplREdit*>(widget))
            return editor;
    }
    return nullptr;
}

EditCommandState FocusedEditCommandState() {
    EditCommandState state;
    if (const CSplREdit* editor = FocusedLogicEditor()) {
        state.focused = true;
        state.canCopy = editor->IsCommandEnabled(LogicEditCommand::EditCopy);
        state.canCut = editor->IsCommandEnabled(LogicEditCommand::EditCut);
        state.canPaste = editor->IsCommandEnabled(LogicEditCommand::EditPaste);
        state.canSelectAll = true;
        state.canUndo = editor->IsCommandEnabled(LogicEditCommand::EditUndo);
        return state;
    }
    QWidget* focus = EditCommandFocus();
    ContentMenuState control;
    if (const auto* richEdit = qobject_cast<const CRichEditCtrlEx*>(focus))
        control = richEdit->MenuState();
    else if (const auto [form, box] = FocusedHeaderBox(focus); box)
        control = form->EditCommandState(*box);
    else
        return state;
    state.focused = true;
    state.canCopy = IsContentMenuCommandEnabled(ContentMenuCopy, control);
    state.canCut = IsContentMenuCommandEnabled(ContentMenuCut, control);
    state.canPaste = IsContentMenuCommandEnabled(ContentMenuPaste, control);
    state.canSelectAll = IsContentMenuCommandEnabled(ContentMenuSelectAll, control);
    state.canUndo = IsContentMenuCommandEnabled(ContentMenuUndo, control);
    return state;
}

void AddLogicEditorCommands(CCommandRegistry& registry, ActiveLogicEditor activeEditor, LinePrompt promptLine) {
    using enum CommandRule;
    const CommandHandler edit = [](int id) {
        if (CSplREdit* editor = FocusedLogicEditor())
            editor->RunCommand(id);
        else
            RunInTextControl(EditCommandFocus(), id);
    };
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        if (now && !qobject_cast<QMenuBar*>(now))
            g_focusBeforeMenuBar = now;
    });
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
        [activeEditor, promptLine](int) {
            // Wherever the focus is (the outline tree, the content text, a menu), the jump goes into the active
            // tab's description.
            CSplREdit* editor = activeEditor ? activeEditor() : nullptr;
            if (!editor || !promptLine)
                return;
            // The lines of the description, not the append line after them.
            const int line = promptLine(editor->window(), editor->Model().RecordCount());
            if (line >= 0)
                editor->GoToLine(line);
        },
        TabActive, "Ctrl+G");
}
