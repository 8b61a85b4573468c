#pragma once

#include <QString>

// Where a search hit sits: the part of a hit that the result pane keeps with its line, so that a double-click
// can open the unit function there.
struct ResultLine {
    // What `kind` says the hit is in.
    enum Kind : qint32 {
        OutlineNumber = 0,
        UnitFunctionName = 1,
        UniqueLabel = 2,
        OriginalRequirementItems = 3,
        CodeSymbol = 4,
        FunctionContentLine = 5,
        LogicDescriptionLine = 6,
    };

    QString matchedText; // the header field or content line searched; empty for logic hits
    qint32 occurrence = 0;
    qint32 element = 0; // logic hits: the 0-based text slot searched
    qint32 kind = 0;
    qint32 internalId = 0; // the unit function searched
    qint32 startPosition = 0;
    qint32 length = 0; // of the occurrence, in characters

    bool operator==(const ResultLine&) const = default;
};

// One occurrence of a searched text.
struct FindHit {
    QString text;           // the result line's text
    qint32 endPosition = 0; // just behind the occurrence
    qint32 lineIndex = 0;   // content hits: 1-based content line; logic hits: 0-based logic line; else 0
    ResultLine location;
};
