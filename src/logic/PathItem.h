#pragma once

#include "logic/InspectionPathConclusion.h"
#include "logic/PathCondition.h"

// What the in-path checks compare: a record of the path or its concluding Do.
struct PathItem {
    quint8 fromConditions = 0;
    quint8 isCondition = 0;
    quint8 pairable = 1;
    qint32 quantifier = QuantifierNone;
    QStringView member;
    qint32 memberId = -1; // as in PathCondition
    NegatableText state;
    qint32 position = -1;
    const CUnitFunction* unitFunction = nullptr;
    qint32 lineIndex = -1;
    StatementLine line;
};

PathItem MakeConditionItem(const PathCondition& condition);
PathItem MakeConclusionItem(const CInspectionPathConclusion& conclusion);

// One logic line named by a finding.
struct FindingTarget {
    StatementLine line;
    const CUnitFunction* unitFunction = nullptr;
    qint32 lineIndex = -1;
    qint32 position = -1;
    qint32 quantifier = QuantifierNone;
    QStringView member;
    NegatableText state;
};

FindingTarget MakeTarget(const PathItem& item);
