#pragma once

#include "model/FontSetting.h"

#include <QString>

#include <array>
#include <cstdint>

// One printout: what it covers, its scale and its options.
struct PrintSection {
    int32_t scope = 0;   // 0 all unit functions, 1 the current one and its descendants, 2 the current one
    uint16_t zoom = 100; // percent
    int32_t order = 0;
    uint16_t omission = 0;      // leave out what exceeds one line
    uint16_t nonEmbodiment = 1; // only embedded unit functions
    uint16_t nonWrited = 1;     // only unit functions with a logic description
    uint16_t object = 0x4BFF;   // printed-item bits

    bool operator==(const PrintSection&) const = default;
};

// One line of the title page.
struct PrintTitleLine {
    static constexpr int MaxTextLength = 24;

    QString text;
    uint16_t point = 0;  // print position
    uint16_t border = 0; // framed

    bool operator==(const PrintTitleLine&) const = default;
};

// Item kinds of the page header or footer: left, centre, right.
struct PrintHeaderFooterKinds {
    uint16_t left = 0;
    uint16_t center = 0;
    uint16_t right = 0;

    bool operator==(const PrintHeaderFooterKinds&) const = default;
};

// The document's print settings.
struct PrintSettings {
    enum Section { OutlineOrderedIndex, HierarchicalIndex, UnitFunctions, Results, Notes, SectionCount };
    enum TitleLine { DocumentTitle, FileName, VersionInformation, InputText1, InputText2, TitleLineCount };
    static constexpr int MaxHeaderFooterTextLength = 16;
    static constexpr int DefaultMargin = 5; // millimetres
    static constexpr int MaxMargin = 100;
    // Left and right together, top and bottom together: the short side of A4 keeps 50 mm to print on.
    static constexpr int MaxMarginPair = 160;

    PrintSettings();

    // Whether the four margins (left, right, top, bottom) each lie in 0..MaxMargin and each pair within
    // MaxMarginPair, so that a sensible area is left to print on.
    static bool MarginsLeavePrintableArea(int left, int right, int top, int bottom);
    // Puts a margin out of its range, then both of a pair too wide together, back to DefaultMargin: what a
    // document brings is printed on a page of sensible size.
    void CorrectMargins();

    std::array<PrintSection, SectionCount> sections;
    std::array<PrintTitleLine, TitleLineCount> titleLines;
    FontSetting titleFont;
    FontSetting otherTitleFont;
    int32_t marginLeft = DefaultMargin; // millimetres
    int32_t marginRight = DefaultMargin;
    int32_t marginTop = DefaultMargin;
    int32_t marginBottom = DefaultMargin;
    PrintHeaderFooterKinds headerKinds;
    PrintHeaderFooterKinds footerKinds{0, 8, 0};
    QString headerFooterText1;
    QString headerFooterText2;
    uint16_t printKind = 0; // set by every print command before it prints

    bool operator==(const PrintSettings&) const = default;
};

// Which printout the print-target page chose: 0 outline-ordered index, 1 hierarchical index, 2 unit
// functions, 3 title page, 4 results, 5 notes.
constexpr int DefaultSelectedPrintout = 2;
constexpr int MaxSelectedPrintout = 5;
