#include "model/FontSetting.h"

#include "model/FontInfo.h"

FontSetting::FontSetting() : faceName(GetDefaultUIFontName()) {}

QString GetDefaultUIFontName() {
    return CFontInfo::Installed().GetDefaultUIFontName();
}
