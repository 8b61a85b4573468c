#pragma once

struct FontSetting;
class QWidget;

// A settings page that edits some of the document's fonts, which another page of the same sheet may edit as well: a
// font chosen on one page shows on every page that edits it, so that OK stores the font chosen last, whichever page
// stores it.
class CSharedFontChoice {
public:
    // Another page of the sheet chose `font` for the document's font at `place`.
    virtual void FontChosenElsewhere(const FontSetting* place, const FontSetting& font) = 0;

    // Tells the other pages of the sheet that `page` stands in that it chose `font` for the font at `place`.
    static void Share(QWidget& page, const FontSetting* place, const FontSetting& font);

protected:
    ~CSharedFontChoice() = default;
};
