#include "platform/ui/FloatEdit.h"

#include "platform/EditControlText.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include <algorithm>

namespace {

bool AdmitsAll(const QString& text) {
    return std::all_of(text.begin(), text.end(), IsFloatEditCharacter);
}

} // namespace

CFloatEdit::CFloatEdit(QWidget* parent) : QLineEdit(parent) {}

void CFloatEdit::keyPressEvent(QKeyEvent* event) {
    // Backspace types a character of its own; Delete and the arrows type none.
    const QString typed = event->key() == Qt::Key_Backspace ? QStringLiteral("\b")
                          : event->key() == Qt::Key_Delete  ? QString()
                                                            : event->text();
    if (!AdmitsAll(typed)) {
        // Left to the window around it, so that Return still reaches a dialog's default button.
        event->ignore();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CFloatEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!AdmitsAll(event->commitString())) {
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}
