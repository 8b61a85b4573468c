#pragma once

#include <QLineEdit>

// A box that shows a name (or a value's text) whole, however long, and lets typing make it no longer than
// `typingLimit` characters, nor longer than it is when it is longer already: leaving the box unchanged leaves the
// name as it was.
class CNameEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CNameEdit(int typingLimit, QWidget* parent = nullptr);

    // Shows `name` whole.
    void SetName(const QString& name);

private:
    class LengthValidator;
    LengthValidator* m_validator;
};
