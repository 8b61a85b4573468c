#include "model/FontSetting.h"

#include "model/FontInfo.h"
#include "model/ModelShell.h"

FontSetting::FontSetting() : faceName(GetDefaultUIFontName()) {}

bool FontSetting::IsDefault() const {
    return pointSize == 105 && colour == 0 && bold == 0 && italic == 0 && underline == 0 && colourIndex == 0 &&
           faceName == ModelShell().InstalledFonts().GetDefaultUIFontName();
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
