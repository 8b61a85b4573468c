#pragma once

#include <QString>

class CInspectionParserEntity;

// A line of a statement of the syntax tree as the inspection shows it. Records and conclusions keep only this
// reference: the text is composed when a finding is written, which few of them ever are.
struct StatementLine {
    static constexpr qint32 kFirstLine = 0;    // the statement's own line
    static constexpr qint32 kClosingLine = -1; // the else line of an if, the elsw line of a switch
    // The line of case k of a switch.
    static constexpr qint32 CaseLine(size_t k) { return static_cast<qint32>(k) + 1; }

    const CInspectionParserEntity* statement = nullptr;
    qint32 part = kFirstLine;

    QString Text() const;
};
