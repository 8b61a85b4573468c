#include "model/FontSetting.h"

#include "model/FontInfo.h"
#include "model/ModelShell.h"
#include "model/StandardColours.h"

FontSetting::FontSetting() : faceName(GetDefaultUIFontName()) {}

bool FontSetting::IsDefault() const {
    return *this == DefaultFontSetting();
}

void FontSetting::SetStandardColour(quint8 index) {
    colourIndex = index;
    colour = kStandardColours[index];
}

const FontSetting& DefaultFontSetting() {
    return ModelShell().InstalledFonts().DefaultFont();
}

QString GetDefaultUIFontName() {
    return ModelShell().InstalledFonts().GetDefaultUIFontName();
}

void ApplyFontByMask(const FontSetting& source, quint32 mask, FontSetting& target) {
    if ((mask & FontAttributeFace) && !source.faceName.isEmpty())
        target.faceName = source.faceName;
    if ((mask & FontAttributeSize) && source.pointSize != 0)
        target.pointSize = source.pointSize;
    if ((mask & FontAttributeColour) && source.colourIndex != NoColourIndex) {
        target.colour = source.colour;
        target.colourIndex = source.colourIndex;
    }
    if (mask & FontAttributeBold)
        target.bold = source.bold;
    if (mask & FontAttributeItalic)
        target.italic = source.italic;
    if (mask & FontAttributeUnderline)
        target.underline = source.underline;
}
