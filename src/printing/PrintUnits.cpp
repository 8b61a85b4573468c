#include "printing/PrintUnits.h"

#include <QFontMetrics>
#include <QPaintDevice>

#include <cmath>

namespace {

double DevicePerLogical(const QPaintDevice& device, bool vertical) {
    const int dpi = vertical ? device.logicalDpiY() : device.logicalDpiX();
    return dpi / 25.4 / LogicalUnitsPerMillimetre;
}

int Scale(int value, double factor) {
    return static_cast<int>(std::lround(value * factor));
}

} // namespace

QRect ConvertPrintUnits(const QRect& rect, const QPaintDevice& device, PrintUnitDirection direction) {
    double x = DevicePerLogical(device, false);
    double y = DevicePerLogical(device, true);
    if (direction == PrintUnitDirection::DeviceToLogical) {
        x = 1.0 / x;
        y = 1.0 / y;
    }
    const int left = Scale(rect.left(), x);
    const int top = Scale(rect.top(), y);
    return QRect(left, top, Scale(rect.left() + rect.width(), x) - left, Scale(rect.top() + rect.height(), y) - top);
}

int MillimetresToDevice(double millimetres, const QPaintDevice& device) {
    const QRect logical(0, 0, static_cast<int>(std::lround(millimetres * LogicalUnitsPerMillimetre)), 0);
    return ConvertPrintUnits(logical, device, PrintUnitDirection::LogicalToDevice).width();
}

QFont MakePointFont(const FontSetting& font, int percent) {
    QFont made(font.faceName.isEmpty() ? GetDefaultUIFontName() : font.faceName);
    made.setPointSizeF(std::max(1.0, font.pointSize * percent / 1000.0));
    made.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    made.setItalic(font.italic != 0);
    made.setUnderline(font.underline != 0);
    return made;
}

QFont PrintInterfaceFont() {
    FontSetting font;
    font.faceName = GetDefaultUIFontName();
    font.pointSize = 105;
    return MakePointFont(font);
}

QSize MeasureTextWithPointFont(const FontSetting& font, const QString& text, const QPaintDevice& device) {
    const QFontMetrics metrics(MakePointFont(font), &device);
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}
