#include "logic/InspectionMessageRedundantAssumption.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionView.h"
#include "model/LogicLine.h"
#include "texts/StringTable.h"

void CInspectionMessageRedundantAssumption::Write(CInspectionView& pane,
                                                  const InspectionEnvironment& environment) const {
    pane.AddMessageWithoutTarget(QString());
    pane.AddMessageWithoutTarget(Header(LoadString(StringId::RedundantDescription)));
    WriteTarget(pane, environment, earlierConclusion);
    WriteTarget(pane, environment, laterConclusion);
    pane.AddMessageWithoutTarget(LoadString(StringId::OmissibleConditions).arg(environment.GetSymbol(SyntaxDo)));
    WriteTarget(pane, environment, earlierCondition);
    WriteTarget(pane, environment, laterCondition);
}
