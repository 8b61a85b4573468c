#include "search/ui/LengthSpinBox.h"

#include <QLineEdit>
#include <QStyle>

#include <algorithm>

CLengthSpinBox::CLengthSpinBox(int minimum, int maximum, int maxDigits, QWidget* parent)
    : QAbstractSpinBox(parent), m_minimum(minimum), m_maximum(maximum) {
    lineEdit()->setMaxLength(maxDigits);
}

int CLengthSpinBox::TypedNumber() const {
    // The box holds digits only.
    return lineEdit()->text().toInt();
}

void CLengthSpinBox::stepBy(int steps) {
    lineEdit()->setText(QString::number(std::clamp(TypedNumber() + steps, m_minimum, m_maximum)));
    selectAll();
}

QAbstractSpinBox::StepEnabled CLengthSpinBox::stepEnabled() const {
    const int value = TypedNumber();
    StepEnabled enabled = StepNone;
    if (value < m_maximum)
        enabled |= StepUpEnabled;
    if (value > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State CLengthSpinBox::validate(QString& input, int&) const {
    const bool digits = std::all_of(input.cbegin(), input.cend(), [](QChar c) { return c >= '0' && c <= '9'; });
    return digits ? QValidator::Acceptable : QValidator::Invalid;
}

void CLengthSpinBox::fixup(QString&) const {}

QSize CLengthSpinBox::sizeHint() const {
    QSize size = QAbstractSpinBox::sizeHint();
    const int digits = lineEdit()->fontMetrics().horizontalAdvance(QString(lineEdit()->maxLength() + 2, '0'));
    size.setWidth(std::max(size.width(), digits + 2 * style()->pixelMetric(QStyle::PM_SpinBoxFrameWidth) + 24));
    return size;
}
