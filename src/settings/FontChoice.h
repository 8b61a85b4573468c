#pragma once

#include "model/FontInfo.h"
#include "model/FontSetting.h"

#include <QString>

#include <optional>
#include <vector>

// What the font dialog shows and gives back: the font, the mask of attributes (FontAttribute bits: on opening those
// the selection has in common, after OK those the dialog gives back, the common ones and every one the user set),
// where it was opened from and, when the user asked for it, the member or state name whose every occurrence takes
// the font.
class CFontChoice {
public:
    // Where the dialog was opened from.
    enum Mode { FromLogicEditor = 0, FromContentText = 1 };
    static constexpr int MinPointSize = 1;
    static constexpr int MaxPointSize = 1638;

    CFontChoice() = default;
    CFontChoice(const FontSetting& font, quint32 mask, Mode mode) : font(font), mask(mask), mode(mode) {}

    // The sizes the list offers, in tenths of a point.
    static const std::vector<int>& SizeChoices();
    // "10.5" for 105.
    static QString SizeText(int tenthsOfPoint);
    // A typed size in points (one decimal) as tenths; none when it is no number or outside the range.
    static std::optional<quint16> ParseSize(const QString& text);
    // The face the list selects: the font's face when installed, else the face drawn in its place.
    QString ShownFace(const CFontInfo& installed) const {
        return drawnFace.isEmpty() ? installed.ResolveFaceName(font.faceName) : drawnFace;
    }
    // The size the sample is drawn at in the editors' text zoom, in points.
    double SamplePointSize(double zoom) const;

    // Whether the choice after OK differs from the one the dialog opened with: a font, a mask bit or the name.
    bool ChangesFrom(const CFontChoice& opened) const {
        return !(font == opened.font && mask == opened.mask && name == opened.name);
    }

    // The user's choices: each sets its attribute and its bit of the mask.
    void SetFace(const QString& face);
    void SetPointSize(quint16 tenthsOfPoint);
    // One of the sixteen standard colours.
    void SetColourIndex(int index);
    void SetBold(bool on);
    void SetItalic(bool on);
    void SetUnderline(bool on);

    FontSetting font;
    quint32 mask = AllFontAttributes;
    Mode mode = FromLogicEditor;
    // Empty unless the font goes to every occurrence of the name under the caret.
    QString name;
    // The installed face the editor draws the font's face with, when its opener knows it; the font keeps its
    // own face name until the user picks another.
    QString drawnFace;
};
