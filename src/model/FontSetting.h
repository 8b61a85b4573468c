#pragma once

#include <QString>
#include <QtGlobal>

// Font of a text of the document: text slots, content, notes, syntax symbols, panes and printouts.
struct FontSetting {
    static constexpr int MaxFaceNameLength = 64;

    QString faceName;
    quint16 pointSize = 105; // tenths of a point
    quint32 colour = 0;      // red in the low byte, then green, then blue
    qint32 bold = 0;
    qint32 italic = 0;
    qint32 underline = 0;
    quint8 colourIndex = 0; // into the document's 16 colours

    FontSetting();

    bool operator==(const FontSetting&) const = default;
    // Equal to a new one, without making one.
    bool IsDefault() const;
};

// The default face: "Times New Roman" until the installed fonts are known, then the first installed of
// "ＭＳ ゴシック", "メイリオ" and "Verdana".
QString GetDefaultUIFontName();
