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
