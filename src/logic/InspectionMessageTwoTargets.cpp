#include "logic/InspectionMessageTwoTargets.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionView.h"
#include "logic/JumperToIntraMemberConsistency.h"
#include "model/LogicLine.h"

void CInspectionMessageTwoTargets::Write(CInspectionView& pane, const InspectionEnvironment& environment) const {
    pane.AddMessageWithoutTarget(QString());
    if (!betweenConclusions) {
        if (kind == Redundant)
            pane.AddMessageWithoutTarget(Header(QStringLiteral("冗長な記述です")));
        else if (kind == Contradiction)
            pane.AddMessageWithoutTarget(Header(QStringLiteral("矛盾しています")));
        else if (kind == PossibleContradiction)
            pane.AddMessage(Header(QStringLiteral("矛盾の可能性があります")),
                            std::make_unique<CJumperToIntraMemberConsistency>(
                                target2.member.toString(), target2.state.GetText(), target1.state.GetText()));
        WriteTarget(pane, environment, target1);
        WriteTargetLine(pane, environment, target2.unitFunction, target2.lineIndex,
                        QStringLiteral("を参照してください"));
        return;
    }
    if (kind == Redundant)
        pane.AddMessageWithoutTarget(Header(QStringLiteral("冗長な記述です")));
    else if (kind == Contradiction || kind == PossibleContradiction)
        pane.AddMessageWithoutTarget(Header(QStringLiteral("不整合な記述の可能性があります")));
    WriteTarget(pane, environment, target1);
    WriteTarget(pane, environment, target2);
    if (kind == Redundant)
        pane.AddMessageWithoutTarget(QStringLiteral("2つの") + environment.GetSymbol(SyntaxDo) +
                                     QStringLiteral("構文は実行条件が同じです"));
}

std::shared_ptr<CInspectionMessageTwoTargets> CInspectionMessageTwoTargets::Make(qint32 kind, quint8 betweenConclusions,
                                                                                 const PathItem& earlier,
                                                                                 const PathItem& later) {
    auto finding = std::make_shared<CInspectionMessageTwoTargets>();
    finding->kind = kind;
    finding->betweenConclusions = betweenConclusions;
    finding->target1 = MakeTarget(later);
    finding->target2 = MakeTarget(earlier);
    return finding;
}
