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
    explicit FontSetting(QString face) : faceName(std::move(face)) {}

    bool operator==(const FontSetting&) const = default;
    // Equal to a new one, without making one.
    bool IsDefault() const;
    // One of the document's 16 standard colours, with its index.
    void SetStandardColour(quint8 index);
};

// A new font setting, of the default face, without copying it.
const FontSetting& DefaultFontSetting();

// The attributes of a font as bits of a mask: those a selection of texts has in common, those an edit sets.
enum FontAttribute : quint32 {
    FontAttributeFace = 0x01,
    FontAttributeSize = 0x02,
    FontAttributeColour = 0x04, // the colour with its index
    FontAttributeBold = 0x08,
    FontAttributeItalic = 0x10,
    FontAttributeUnderline = 0x20,
    AllFontAttributes = 0x3F,
};

// The colour index of texts whose colours differ.
constexpr quint8 NoColourIndex = 255;

// Copies the attributes of `source` that the mask selects into `target`: the face unless empty, the size unless 0,
// the colour with its index unless the index is NoColourIndex, and the three flags as they are.
void ApplyFontByMask(const FontSetting& source, quint32 mask, FontSetting& target);

// The default face: "Times New Roman" until the installed fonts are known, then the first installed of
// "ＭＳ ゴシック", "メイリオ" and "Verdana".
QString GetDefaultUIFontName();
