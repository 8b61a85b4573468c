#pragma once

#include "model/FontSetting.h"

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QPaintDevice;

// Printouts are laid out in logical units of a tenth of a millimetre, whatever the device's resolution.
constexpr int LogicalUnitsPerMillimetre = 10;

enum class PrintUnitDirection { LogicalToDevice, DeviceToLogical };

// Converts a rectangle between the logical units above and the device's pixels.
QRect ConvertPrintUnits(const QRect& rect, const QPaintDevice& device, PrintUnitDirection direction);
// The pixels of the device that make `millimetres`.
int MillimetresToDevice(double millimetres, const QPaintDevice& device);

// The font of a record at `percent` of its size (tenths of a point), made for printing.
QFont MakePointFont(const FontSetting& font, int percent = 100);
// The 10.5-point interface font that headers and footers are printed with.
QFont PrintInterfaceFont();
// The size of the text in the record's font, measured on the device.
QSize MeasureTextWithPointFont(const FontSetting& font, const QString& text, const QPaintDevice& device);
