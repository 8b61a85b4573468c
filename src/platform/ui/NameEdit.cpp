#include "platform/ui/NameEdit.h"

#include <QValidator>

#include <algorithm>

// Refuses an edit that makes the text longer than the length allowed; the box undoes it.
class CNameEdit::LengthValidator : public QValidator {
public:
    LengthValidator(int typingLimit, QObject* parent) : QValidator(parent), m_typingLimit(typingLimit) {}

    // The text may be as long as the limit, or as `length` when that is longer.
    void Allow(qsizetype length) { m_allowed = std::max<qsizetype>(m_typingLimit, length); }
    // A text that came otherwise than by typing (shown, brought back by Undo) is allowed as long as it is.
    void Admit(qsizetype length) { m_allowed = std::max(m_allowed, length); }

    State validate(QString& input, int&) const override { return input.size() > m_allowed ? Invalid : Acceptable; }

private:
    int m_typingLimit;
    qsizetype m_allowed = m_typingLimit;
};

CNameEdit::CNameEdit(int typingLimit, QWidget* parent)
    : QLineEdit(parent), m_validator(new LengthValidator(typingLimit, this)) {
    setValidator(m_validator);
    // What the user took away from a long name cannot be typed back.
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { m_validator->Allow(text.size()); });
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { m_validator->Admit(text.size()); });
}

void CNameEdit::SetName(const QString& name) {
    m_validator->Allow(name.size());
    setText(name);
}
