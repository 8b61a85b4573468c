#include "logic/ResultTextFormat.h"

#include "model/FontSetting.h"

ResultTextFormat ResultTextFormat::FromFontSetting(const FontSetting& font) {
    ResultTextFormat format;
    format.faceName = font.faceName.left(MaxFaceNameLength);
    format.pointSize = font.pointSize / 10.0;
    format.red = static_cast<int>(font.colour & 0xFF);
    format.green = static_cast<int>((font.colour >> 8) & 0xFF);
    format.blue = static_cast<int>((font.colour >> 16) & 0xFF);
    format.bold = font.bold != 0;
    format.italic = font.italic != 0;
    format.underline = font.underline != 0;
    return format;
}
