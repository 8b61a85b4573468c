#pragma once

#include "logic/NegatableText.h"
#include "logic/QuantifiedMemberName.h"
#include "logic/StatementLine.h"

#include <QString>

class CUnitFunction;

// One condition of a branch taken, or one Do performed earlier, on a path.
struct PathCondition {
    quint8 isCondition = 0; // 1 condition of an if or case branch; 0 an earlier action
    quint8 pairable = 0;    // takes part as an end of a pair in the in-path checks
    qint32 quantifier = QuantifierNone;
    QStringView member;   // without its quantifier symbol; lies in the logic line or the syntax tree
    qint32 memberId = -1; // the same number for the same member within one syntax tree
    NegatableText state;
    qint32 stateTextId = -1; // the same number for the same state text within one syntax tree
    qint32 position = -1;    // identity of the statement in the run's line list
    const CUnitFunction* unitFunction = nullptr;
    qint32 lineIndex = -1;
    StatementLine line;
};
