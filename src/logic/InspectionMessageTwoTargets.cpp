#include "logic/InspectionMessageTwoTargets.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionView.h"
#include "logic/JumperToIntraMemberConsistency.h"
#include "model/LogicLine.h"
#include "texts/StringTable.h"

void CInspectionMessageTwoTargets::Write(CInspectionView& pane, const InspectionEnvironment& environment) const {
    pane.AddMessageWithoutTarget(QString());
    if (kind == Redundant)
        pane.AddMessageWithoutTarget(Header(LoadString(StringId::RedundantDescription)));
    else if (kind == Contradiction)
        pane.AddMessageWithoutTarget(Header(LoadString(StringId::Contradiction)));
    else if (kind == PossibleContradiction)
        pane.AddMessage(Header(LoadString(StringId::PossibleContradiction)),
                        std::make_unique<CJumperToIntraMemberConsistency>(
                            target2.member.toString(), target2.state.GetText(), target1.state.GetText()));
    WriteTarget(pane, environment, target1);
    WriteTargetLine(pane, environment, target2.unitFunction, target2.lineIndex, LoadString(StringId::SeeAlso));
}

InspectionFindingLayout CInspectionMessageTwoTargets::BetweenPathsLayout(qint32 kind,
                                                                         const InspectionEnvironment& environment) {
    if (kind == Redundant)
        return {{QString(), Header(LoadString(StringId::RedundantDescription)),
                 LoadString(StringId::SameExecutionConditions).arg(environment.GetSymbol(SyntaxDo))},
                {0, 1, -1, -2, 2}};
    return {{QString(), Header(LoadString(StringId::PossibleInconsistency))}, {0, 1, -1, -2}};
}

CInspectionMessageTwoTargets CInspectionMessageTwoTargets::Make(qint32 kind, const PathItem& earlier,
                                                                const PathItem& later) {
    CInspectionMessageTwoTargets finding;
    finding.kind = kind;
    finding.target1 = MakeTarget(later);
    finding.target2 = MakeTarget(earlier);
    return finding;
}
