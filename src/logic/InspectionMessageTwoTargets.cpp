#include "logic/InspectionMessageTwoTargets.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionView.h"
#include "logic/JumperToIntraMemberConsistency.h"
#include "model/LogicLine.h"
#include "texts/StringTable.h"

void CInspectionMessageTwoTargets::Write(CInspectionView& pane, const InspectionEnvironment& environment) const {
    pane.AddMessageWithoutTarget(QString());
    if (!betweenConclusions) {
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
        return;
    }
    if (kind == Redundant)
        pane.AddMessageWithoutTarget(Header(LoadString(StringId::RedundantDescription)));
    else if (kind == Contradiction || kind == PossibleContradiction)
        pane.AddMessageWithoutTarget(Header(LoadString(StringId::PossibleInconsistency)));
    WriteTarget(pane, environment, target1);
    WriteTarget(pane, environment, target2);
    if (kind == Redundant)
        pane.AddMessageWithoutTarget(
            LoadString(StringId::SameExecutionConditions).arg(environment.GetSymbol(SyntaxDo)));
}

CInspectionMessageTwoTargets CInspectionMessageTwoTargets::Make(qint32 kind, quint8 betweenConclusions,
                                                                const PathItem& earlier, const PathItem& later) {
    CInspectionMessageTwoTargets finding;
    finding.kind = kind;
    finding.betweenConclusions = betweenConclusions;
    finding.target1 = MakeTarget(later);
    finding.target2 = MakeTarget(earlier);
    return finding;
}
