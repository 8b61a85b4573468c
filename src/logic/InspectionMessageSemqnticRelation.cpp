#include "logic/InspectionMessageSemqnticRelation.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionView.h"

void CInspectionMessageSemqnticRelation::Write(CInspectionView& pane, const InspectionEnvironment& environment) const {
    pane.AddMessageWithoutTarget(QString());
    pane.AddMessageWithoutTarget(Header(message));
    for (const FindingTarget& target : targets)
        WriteTarget(pane, environment, target);
}
