#pragma once

#include "model/FontSetting.h"

#include <QString>

#include <cstdint>

// Titles of the columns of the unit-function header table; each holds at most
// its Max... characters.
struct CTitleTable {
    static constexpr int MaxIDTitle = 2;
    static constexpr int MaxFuncNameTitle = 6;
    static constexpr int MaxFuncTitle = 20;
    static constexpr int MaxSignTitle = 10;
    static constexpr int MaxChildTitle = 8;
    static constexpr int MaxWorkTitle = 6;
    static constexpr int MaxTotalTitle = 6;

    QString IDTitle;
    QString FuncNameTitle;
    QString FuncTitle;
    QString SignTitle;
    QString ChildTitle;
    QString WorkTitle;
    QString TotalTitle;

    bool operator==(const CTitleTable&) const = default;
};

// The outline-number index ("Lex") and the hierarchical index ("Hie"): fonts,
// boxes, colours, zoom.
struct HierarchicalIndexSettings {
    HierarchicalIndexSettings();

    int32_t LexIsDispReuseID = 1;
    int32_t LexIsDispShortenID = 0;
    uint8_t LexIsDispShortenIdFirstPunctuation = 0;
    FontSetting LexFont;
    FontSetting HieFont;
    FontSetting HieIDFont;
    int32_t HierZoomVal = 100;
    int32_t HierZoomWindowAdj = 0;
    uint16_t HieBoxSizeY = 50;
    uint16_t HieBoxSizeX = 140;
    uint16_t HieBoxIntvY = 20;
    uint16_t HieBoxIntvX = 20;
    uint16_t HieIDAlign = 1; // 0 left, 1 centred, 2 right
    uint16_t HieFuncAlign = 1;
    uint8_t HieColorDescOn = 0; // colour numbers
    uint8_t HieColorDescOff = 9;
    uint8_t HieColorReuse = 8;
    uint8_t HieColorReuseRef = 4;

    bool operator==(const HierarchicalIndexSettings&) const = default;
};

// Where the two index views stood when the document was saved.
struct IndexViewInfo {
    int32_t HierHScrollPosition = 0;
    int32_t HierVScrollPosition = 0;
    uint32_t HierClickedInternalID = 0;
    uint16_t HierViewPageNum = 0;
    uint32_t LexiSelectInternalID = 0;
    int32_t LexiHScrollPosition = 0;
    int32_t LexiVScrollPosition = 0;

    bool operator==(const IndexViewInfo&) const = default;
};

// Layout of the unit-function windows, shared by the whole document.
struct HeaderIOSettings {
    int32_t Input = 0;  // show the antecedent column
    int32_t Output = 0; // show the consequent column
    uint8_t ColorNo1 = 0;
    uint8_t ColorNo2 = 9;
    uint32_t Color1 = 0x000000; // member names: the colour of ColorNo1
    uint32_t Color2 = 0xFF0000; // state names: the colour of ColorNo2
    int32_t VerticalSizeShared = 1;
    int32_t HorizontalSizeShared = 1;
    int32_t InputWidth = 250;
    int32_t FunctionWidth = 350;
    int32_t OutputWidth = 250;
    int32_t FunctionHeight = 72;

    bool operator==(const HeaderIOSettings&) const = default;
};
