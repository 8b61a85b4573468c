#pragma once

#include "logic/InspectionParserEntity.h"

#include <vector>

class CLogicLine;

// One entry of the parser's line list.
struct InspectionParserLine {
    const CLogicLine* line = nullptr;
    const CUnitFunction* function = nullptr;
    qint32 lineIndex = 0;
};

// Builds the syntax tree of a line list. The editor keeps block structure intact, but a document edited
// elsewhere may not: a line that cannot stand where it is (a closing line without its block, a line of no
// kind, a block cut off by the end) is noted in strayPositions and parsing goes on after it.
class CInspectionParser {
public:
    CInspectionParser(std::vector<InspectionParserLine> lines, const InspectionEnvironment& environment,
                      bool reportProgress = false);

    InspectionParserSequencePtr Parse();

    // Positions of lines that ended the top level early, in line order.
    const std::vector<qint32>& StrayPositions() const { return m_strayPositions; }
    const std::vector<InspectionParserLine>& Lines() const { return m_lines; }

private:
    struct Parsed {
        InspectionParserNode node; // null for lines that make no statement
        int consumed = 0;
        bool success = false;
    };

    InspectionParserSequencePtr ParseSequence(int start, int& consumed);
    Parsed ParseStatement(int p);
    Parsed ParseIf(int p);
    Parsed ParseSwitch(int p);
    Parsed ParseLoop(int p);
    int KindAt(int p) const;
    QString SlotText(int p, int slot) const;
    std::optional<PathCondition> MakeRecord(const QString& member, const QString& state, int position,
                                            quint8 isCondition, const QString& lineText) const;
    QString MemberStateText(const QString& member, const QString& joining, const QString& state,
                            const QString& closing) const;

    std::vector<InspectionParserLine> m_lines;
    const InspectionEnvironment& m_environment;
    bool m_reportProgress;
    int m_depth = 0;
    std::vector<qint32> m_strayPositions;
};
