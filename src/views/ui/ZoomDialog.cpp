#include "views/ui/ZoomDialog.h"

#include "texts/StringTable.h"
#include "views/ZoomScale.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QVBoxLayout>

namespace {

// The slider marks the actual size alone, with one tick on its right.
class ZoomSlider : public QSlider {
public:
    using QSlider::QSlider;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
        style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
        option.sliderPosition = CZoomScale::ActualSize;
        const int y = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this).center().y();
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawLine(width() - 4, y, width() - 1, y);
    }
};

} // namespace

CZoomDialog::CZoomDialog(std::function<void()> apply, QWidget* parent) : QDialog(parent), m_apply(std::move(apply)) {
    setWindowTitle(LoadString(StringId::ZoomWindowTitle));
    m_slider = new ZoomSlider(Qt::Vertical, this);
    // The top of the slider is the largest zoom, and Up, PageUp and the wheel turned up move towards it.
    m_slider->setInvertedAppearance(true);
    m_slider->setInvertedControls(true);
    m_slider->setRange(CZoomScale::Minimum, CZoomScale::Maximum);
    m_slider->setPageStep(CZoomScale::PageStep);
    m_slider->setTickPosition(QSlider::TicksRight);
    m_slider->setValue(CZoomScale::ActualSize);
    m_label = new QLineEdit(this);
    m_label->setReadOnly(true);
    m_actualSize = new QPushButton(LoadString(StringId::ZoomActualSize), this);
    auto* side = new QVBoxLayout;
    side->addWidget(m_label);
    side->addWidget(m_actualSize);
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_slider);
    layout->addLayout(side);
    UpdateZoomLabel();
    connect(m_slider, &QSlider::valueChanged, this, [this] {
        UpdateZoomLabel();
        m_apply();
    });
    connect(m_actualSize, &QPushButton::clicked, this, [this] { ApplyPosition(CZoomScale::ActualSize); });
    m_actualSize->setFocus();
}

int CZoomDialog::Position() const {
    return m_slider->value();
}

void CZoomDialog::ApplyPosition(int position) {
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(position);
    UpdateZoomLabel();
    m_apply();
}

void CZoomDialog::UpdateZoomLabel() {
    m_factor = CZoomScale::FactorOfPosition(m_slider->value());
    m_label->setText(CZoomScale::Label(m_slider->value()));
}
