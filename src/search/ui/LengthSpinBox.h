#pragma once

#include <QAbstractSpinBox>

class QLineEdit;

// A number box with its spin: the spin and the arrow keys step the number within the range, while the box keeps
// whatever digits the user typed, out of range or none, until the dialog reads them; losing the focus or Enter
// puts nothing back.
class CLengthSpinBox : public QAbstractSpinBox {
public:
    CLengthSpinBox(int minimum, int maximum, int maxDigits, QWidget* parent = nullptr);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    QLineEdit* Box() const { return lineEdit(); }

    void stepBy(int steps) override;
    QSize sizeHint() const override;

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

private:
    // The digits of the box as a number, 0 when there are none.
    int TypedNumber() const;

    int m_minimum;
    int m_maximum;
};
