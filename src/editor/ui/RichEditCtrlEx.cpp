#include "editor/ui/RichEditCtrlEx.h"

#include "editor/ui/DocumentFontResolver.h"
#include "model/FontSetting.h"

#include <QKeyEvent>
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

void CRichEditCtrlEx::wheelEvent(QWheelEvent* event) {
    // Ctrl and the wheel would zoom; the panes keep the editor's sizes.
    if (event->modifiers() & Qt::ControlModifier) {
        event->accept();
        return;
    }
    QTextEdit::wheelEvent(event);
}
