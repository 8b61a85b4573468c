#include "settings/FontChoice.h"

#include "model/StandardColours.h"

#include <cmath>

const std::vector<int>& CFontChoice::SizeChoices() {
    static const std::vector<int> sizes = {80,  90,  100, 105, 110, 120, 140, 160, 180,
                                           200, 220, 240, 260, 280, 360, 480, 720};
    return sizes;
}

QString CFontChoice::SizeText(int tenthsOfPoint) {
    return tenthsOfPoint % 10 == 0 ? QString::number(tenthsOfPoint / 10)
                                   : QStringLiteral("%1.%2").arg(tenthsOfPoint / 10).arg(tenthsOfPoint % 10);
}

std::optional<quint16> CFontChoice::ParseSize(const QString& text) {
    bool ok = false;
    const double points = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(points) || points < MinPointSize || points > MaxPointSize)
        return std::nullopt;
    return static_cast<quint16>(std::lround(points * 10));
}

double CFontChoice::SamplePointSize(double zoom) const {
    return font.pointSize / 10.0 * (zoom > 0 ? zoom : 1.0);
}

void CFontChoice::SetFace(const QString& face) {
    font.faceName = face.left(FontSetting::MaxFaceNameLength);
    mask |= FontAttributeFace;
}

void CFontChoice::SetPointSize(quint16 tenthsOfPoint) {
    font.pointSize = tenthsOfPoint;
    mask |= FontAttributeSize;
}

void CFontChoice::SetColourIndex(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kStandardColours)))
        return;
    font.SetStandardColour(static_cast<quint8>(index));
    mask |= FontAttributeColour;
}

void CFontChoice::SetBold(bool on) {
    font.bold = on ? 1 : 0;
    mask |= FontAttributeBold;
}

void CFontChoice::SetItalic(bool on) {
    font.italic = on ? 1 : 0;
    mask |= FontAttributeItalic;
}

void CFontChoice::SetUnderline(bool on) {
    font.underline = on ? 1 : 0;
    mask |= FontAttributeUnderline;
}
