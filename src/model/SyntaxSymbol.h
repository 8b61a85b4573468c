#pragma once

#include "model/FontSetting.h"

#include <QString>
#include <QtGlobal>

// How one statement kind is shown: the record at position k of the table serves statement kind k (0..14).
struct SyntaxSymbol {
    static constexpr int KindCount = 15;
    static constexpr int MaxKeywordLength = 64;
    static constexpr int MaxSimpleLength = 2;

    quint8 ID = 0; // statement kind + 1
    FontSetting font;
    QString keyword;
    quint8 Column = 0; // columns from the line's start to the text after the keyword
    quint8 Indent = 0; // columns by which the following lines are indented
    QString Simple;    // two-letter code

    bool operator==(const SyntaxSymbol&) const = default;

    // The new-document record of a statement kind: its font is the column font in the kind's colour.
    static SyntaxSymbol GetDefault(int kind, const FontSetting& columnFont);
};
