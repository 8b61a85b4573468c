#include "logic/InspectionMessageRedundantAssumption.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionView.h"
#include "model/LogicLine.h"

void CInspectionMessageRedundantAssumption::Write(CInspectionView& pane,
                                                  const InspectionEnvironment& environment) const {
    pane.AddMessageWithoutTarget(QString());
    pane.AddMessageWithoutTarget(Header(QStringLiteral("冗長な記述です")));
    WriteTarget(pane, environment, earlierConclusion);
    WriteTarget(pane, environment, laterConclusion);
    pane.AddMessageWithoutTarget(QStringLiteral("この") + environment.GetSymbol(SyntaxDo) +
                                 QStringLiteral("構文は以下の条件が省略できます"));
    WriteTarget(pane, environment, earlierCondition);
    WriteTarget(pane, environment, laterCondition);
}
