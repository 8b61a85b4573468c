#pragma once

#include <QString>

struct FontSetting;

// The one character format of the whole result pane, from the results font of the document.
struct ResultTextFormat {
    // The face names the pane takes are shorter than those a font setting holds.
    static constexpr int MaxFaceNameLength = 31;

    QString faceName;
    double pointSize = 0; // points
    int red = 0;
    int green = 0;
    int blue = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    static ResultTextFormat FromFontSetting(const FontSetting& font);
};
