#pragma once

#include "logic/InspectionRun.h"
#include "logic/InspectionView.h"
#include "support/logic/LogicScript.h"

#include <QStringList>

// The lines the inspection of one unit function writes, without the header and the totals.
inline QStringList InspectCurrent(LogicTestDocument& document, const CUnitFunction& function) {
    CInspectionView pane;
    InspectCurrentUnitFunction(function, pane, document.environment);
    return pane.Lines();
}

// Only the finding lines between the header and the totals of an inspection of one unit function.
inline QStringList FindingLines(LogicTestDocument& document, const CUnitFunction& function) {
    QStringList lines = InspectCurrent(document, function);
    return lines.mid(1, lines.size() - 1 - 8);
}
