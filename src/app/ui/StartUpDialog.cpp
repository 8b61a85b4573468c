#include "app/ui/StartUpDialog.h"

#include "app/ui/AboutDialog.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <array>

namespace {

// The chart of the picture: boxes of a table of contents (centre x, top y) and which box each hangs below.
struct ChartBox {
    int centerX;
    int top;
    int parent; // -1 for the origin
};
constexpr int kBoxWidth = 92;
constexpr int kBoxHeight = 34;
constexpr std::array<ChartBox, 8> kChart{{
    {250, 150, -1},
    {110, 225, 0},
    {250, 225, 0},
    {390, 225, 0},
    {60, 300, 1},
    {160, 300, 1},
    {340, 300, 3},
    {440, 300, 3},
}};

QRect BoxRect(const ChartBox& box) {
    return {box.centerX - kBoxWidth / 2, box.top, kBoxWidth, kBoxHeight};
}

} // namespace

CStartUpDialog::CStartUpDialog(int displayTime, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(AnimationWidth, AnimationHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->geometry();
        move(desktop.left() + desktop.width() / 2 - AnimationWidth / 2,
             desktop.top() + desktop.height() / 2 - AnimationHeight / 2);
    }
    if (displayTime > 0)
        QTimer::singleShot(displayTime, this, &QWidget::close);
}

void CStartUpDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, AnimationHeight);
    sky.setColorAt(0, QColor(0x1d, 0x35, 0x57));
    sky.setColorAt(1, QColor(0x45, 0x7b, 0x9d));
    painter.fillRect(rect(), sky);

    QFont nameFont = font();
    nameFont.setPixelSize(54);
    nameFont.setBold(true);
    painter.setFont(nameFont);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 30, AnimationWidth, 80), Qt::AlignCenter, CAboutDialog::GetVersionText());

    // Connectors first, from the bottom of a box to the tops of its children, as the chart draws them.
    painter.setPen(QPen(QColor(0xf1, 0xfa, 0xee), 2));
    for (const ChartBox& box : kChart) {
        if (box.parent < 0)
            continue;
        const QRect above = BoxRect(kChart[size_t(box.parent)]);
        const int middle = (above.bottom() + box.top) / 2;
        painter.drawLine(above.center().x(), above.bottom(), above.center().x(), middle);
        painter.drawLine(above.center().x(), middle, box.centerX, middle);
        painter.drawLine(box.centerX, middle, box.centerX, box.top);
    }
    // Each box with a coloured band for its outline number and grey strokes for its name.
    for (size_t i = 0; i < kChart.size(); ++i) {
        const QRect box = BoxRect(kChart[i]);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xf1, 0xfa, 0xee));
        painter.drawRoundedRect(box, 5, 5);
        painter.setBrush(i == 0 ? QColor(0xe6, 0x39, 0x46) : QColor(0xa8, 0xda, 0xdc));
        painter.drawRoundedRect(QRect(box.left() + 6, box.top() + 8, 18, kBoxHeight - 16), 3, 3);
        painter.setBrush(QColor(0x8d, 0x99, 0xae));
        painter.drawRect(QRect(box.left() + 30, box.top() + 10, kBoxWidth - 40, 5));
        painter.drawRect(QRect(box.left() + 30, box.top() + 20, (kBoxWidth - 40) * 2 / 3, 5));
    }
}
