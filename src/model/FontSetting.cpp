#include "model/FontSetting.h"

#include "model/FontInfo.h"
#include "model/ModelShell.h"

FontSetting::FontSetting() : faceName(GetDefaultUIFontName()) {}

QString GetDefaultUIFontName() {
    return ModelShell().InstalledFonts().GetDefaultUIFontName();
}
