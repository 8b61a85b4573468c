#include "editor/ui/RichEditCtrlEx.h"

#include "editor/ui/DocumentFontResolver.h"
#include "model/FontSetting.h"
#include "platform/MessageBox.h"
#include "texts/MenuBarCaptions.h"
#include "texts/MessageContext.h"
#include "texts/StringTable.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextCursor>

bool IsSwallowedControlKey(const QKeyEvent& event, bool editable) {
    if (!(event.modifiers() & Qt::ControlModifier))
        return false;
    if (event.matches(QKeySequence::Copy) || event.matches(QKeySequence::SelectAll))
        return false;
    if (editable &&
        (event.matches(QKeySequence::Cut) || event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Undo)))
        return false;
    const int key = event.key();
    const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9;
    const bool letter = key >= Qt::Key_A && key <= Qt::Key_Z;
    // The punctuation keys, printable ASCII outside digits and letters.
    const bool punctuation = key >= Qt::Key_Exclam && key <= Qt::Key_AsciiTilde && !digit && !letter;
    return digit || letter || punctuation;
}

CRichEditCtrlEx::CRichEditCtrlEx(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QTextEdit::NoWrap);
    setUndoRedoEnabled(false);
}

void CRichEditCtrlEx::AppendWithFont(const FontSetting& font, const QString& text, bool japaneseDocument) {
    QTextCharFormat format;
    format.setFont(MakeDocumentFont(font, japaneseDocument));
    const quint32 colour = font.colour;
    format.setForeground(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, format);
}

QMenu* CRichEditCtrlEx::CreateContextMenu(QWidget* parent) {
    static const CMessageContext english;
    const CMessageContext& messages = m_messages ? *m_messages : english;
    auto* menu = new QMenu(parent);
    for (int command : ContentContextMenuCommands()) {
        if (command == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(MakeEditPopupCaption(messages, command).value_or(QString()), this,
                                          [this, command] { RunContextMenuCommand(command); });
        action->setData(command);
        action->setEnabled(IsContentMenuCommandEnabled(command, MenuState()));
    }
    return menu;
}

ContentMenuState CRichEditCtrlEx::MenuState() const {
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    ContentMenuState state;
    state.editable = !isReadOnly();
    state.canUndo = isUndoRedoEnabled() && document()->isUndoAvailable();
    state.hasSelection = textCursor().hasSelection();
    state.hasText = !document()->isEmpty();
    state.clipboardHasText = clipboard && clipboard->hasText();
    return state;
}

void CRichEditCtrlEx::RunContextMenuCommand(int command) {
    switch (command) {
    case ContentMenuUndo:
        undo();
        break;
    case ContentMenuCut:
        cut();
        break;
    case ContentMenuCopy:
        copy();
        break;
    case ContentMenuPaste:
    case ContentMenuPastePlainText:
        // Every paste takes the clipboard's text alone (insertFromMimeData); a read-only control takes none.
        paste();
        break;
    case ContentMenuDelete:
        if (!isReadOnly())
            textCursor().removeSelectedText();
        break;
    case ContentMenuSelectAll:
        selectAll();
        break;
    case ContentMenuFont:
        platform::ShowMessageBox(LoadString(StringId::PaneFontNotKept), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Information);
        break;
    default:
        break;
    }
}

void CRichEditCtrlEx::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = CreateContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

bool CRichEditCtrlEx::event(QEvent* event) {
    // A swallowed key is left to the window's shortcuts (Save, the commands' accelerators); only when none
    // takes it does it reach keyPressEvent, which drops it.
    if (event->type() == QEvent::ShortcutOverride &&
        IsSwallowedControlKey(*static_cast<QKeyEvent*>(event), !isReadOnly())) {
        event->ignore();
        return false;
    }
    return QTextEdit::event(event);
}

void CRichEditCtrlEx::keyPressEvent(QKeyEvent* event) {
    if (IsSwallowedControlKey(*event, !isReadOnly())) {
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void CRichEditCtrlEx::mousePressEvent(QMouseEvent* event) {
    // A read-only column's text is never dragged into another control: a press inside the selection starts a
    // new selection, as it does elsewhere.
    if (isReadOnly() && event->button() == Qt::LeftButton && textCursor().hasSelection()) {
        QTextCursor cursor = textCursor();
        cursor.clearSelection();
        setTextCursor(cursor);
    }
    QTextEdit::mousePressEvent(event);
}

void CRichEditCtrlEx::wheelEvent(QWheelEvent* event) {
    // Ctrl and the wheel would zoom; the panes keep the editor's sizes.
    if (event->modifiers() & Qt::ControlModifier) {
        event->accept();
        return;
    }
    QTextEdit::wheelEvent(event);
}
