#include "platform/ui/EditEx.h"

#include "platform/EditControlText.h"

CEditEx::CEditEx(QWidget* parent) : QLineEdit(parent) {}

std::optional<QString> CEditEx::GetSelectedText() const {
    if (!hasSelectedText())
        return std::nullopt;
    return LimitSelectedText(selectedText());
}

void CEditEx::SelectOccurrence(const QString& find, int count, qsizetype expectedStart) {
    const TextSelection selection = SelectionOfOccurrence(text(), find, count, expectedStart);
    if (selection.length == 0) {
        deselect();
        setCursorPosition(0);
        return;
    }
    // The caret ends behind the occurrence, which brings it into view.
    setSelection(int(selection.start), int(selection.length));
}
