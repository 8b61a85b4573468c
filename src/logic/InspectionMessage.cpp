#include "logic/InspectionMessage.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionView.h"
#include "logic/JumperToIntraMemberConsistency.h"
#include "logic/JumperToLineInLogic.h"
#include "model/UnitFunction.h"

#include <tuple>

namespace {

void WriteTarget(CInspectionView& pane, const InspectionEnvironment& environment, const FindingTarget& target) {
    WriteTargetLine(pane, environment, target.unitFunction, target.lineIndex, target.lineText);
}

QString Header(const QString& text) {
    return QStringLiteral("── ") + text + QStringLiteral(" ──");
}

// Positions compare unsigned, so a missing target (-1) sorts last.
quint32 Key(const FindingTarget& target) {
    return static_cast<quint32>(target.position);
}

} // namespace

void WriteTargetLine(CInspectionView& pane, const InspectionEnvironment& environment, const CUnitFunction* unitFunction,
                     qint32 lineIndex, const QString& text) {
    if (!unitFunction) {
        pane.AddMessageWithoutTarget(QStringLiteral("[] ") + text);
        return;
    }
    pane.AddMessage(QStringLiteral("[") + environment.OutlineNumberText(*unitFunction) + QStringLiteral(" Line ") +
                        QString::number(static_cast<quint32>(lineIndex + 1)) + QStringLiteral("] ") + text,
                    new CJumperToLineInLogic(static_cast<qint32>(unitFunction->InternalID), lineIndex));
}

void CInspectionMessageTwoTargets::Write(CInspectionView& pane, const InspectionEnvironment& environment) const {
    pane.AddMessageWithoutTarget(QString());
    if (!betweenConclusions) {
        if (kind == Redundant)
            pane.AddMessageWithoutTarget(Header(QStringLiteral("冗長な記述です")));
        else if (kind == Contradiction)
            pane.AddMessageWithoutTarget(Header(QStringLiteral("矛盾しています")));
        else if (kind == PossibleContradiction)
            pane.AddMessage(
                Header(QStringLiteral("矛盾の可能性があります")),
                new CJumperToIntraMemberConsistency(target2.member, target2.state.GetText(), target1.state.GetText()));
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

void CInspectionMessageSemqnticRelation::Write(CInspectionView& pane, const InspectionEnvironment& environment) const {
    pane.AddMessageWithoutTarget(QString());
    pane.AddMessageWithoutTarget(Header(message));
    for (const FindingTarget& target : targets)
        WriteTarget(pane, environment, target);
}

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

bool CompareFindings(const std::shared_ptr<CInspectionMessage>& a, const std::shared_ptr<CInspectionMessage>& b) {
    if (a->GetKind() != b->GetKind())
        return a->GetKind() < b->GetKind();
    switch (a->GetKind()) {
    case 0: {
        const auto& x = static_cast<const CInspectionMessageTwoTargets&>(*a);
        const auto& y = static_cast<const CInspectionMessageTwoTargets&>(*b);
        return std::make_tuple(x.kind, x.betweenConclusions, Key(x.target2), Key(x.target1)) <
               std::make_tuple(y.kind, y.betweenConclusions, Key(y.target2), Key(y.target1));
    }
    case 1: {
        const auto& x = static_cast<const CInspectionMessageSemqnticRelation&>(*a);
        const auto& y = static_cast<const CInspectionMessageSemqnticRelation&>(*b);
        if (x.targets.size() != y.targets.size())
            return x.targets.size() < y.targets.size();
        for (size_t i = 0; i < x.targets.size(); ++i)
            if (Key(x.targets[i]) != Key(y.targets[i]))
                return Key(x.targets[i]) < Key(y.targets[i]);
        return x.message < y.message;
    }
    default: {
        const auto& x = static_cast<const CInspectionMessageRedundantAssumption&>(*a);
        const auto& y = static_cast<const CInspectionMessageRedundantAssumption&>(*b);
        return std::make_tuple(Key(x.earlierConclusion), Key(x.laterConclusion), Key(x.earlierCondition),
                               Key(x.laterCondition)) < std::make_tuple(Key(y.earlierConclusion),
                                                                        Key(y.laterConclusion), Key(y.earlierCondition),
                                                                        Key(y.laterCondition));
    }
    }
}

void FindingSet::Add(std::shared_ptr<CInspectionMessage> finding) {
    if (m_findings.count(finding))
        return;
    finding->Write(*resultPane, m_environment);
    m_findings.insert(std::move(finding));
}

quint32 FindingSet::CountRedundancyFindings() const {
    quint32 count = 0;
    for (const auto& finding : m_findings)
        count += finding->IsRedundancy() ? 1 : 0;
    return count;
}

quint32 FindingSet::CountInconsistencyFindings() const {
    quint32 count = 0;
    for (const auto& finding : m_findings)
        count += finding->IsInconsistency() ? 1 : 0;
    return count;
}

quint32 FindingSet::CountSemanticRelationFindings() const {
    quint32 count = 0;
    for (const auto& finding : m_findings)
        count += finding->IsSemanticRelation() ? 1 : 0;
    return count;
}
