#include "logic/FindingSet.h"

#include "logic/InspectionMessageRedundantAssumption.h"
#include "logic/InspectionMessageSemqnticRelation.h"
#include "logic/InspectionMessageTwoTargets.h"

namespace {

// Positions compare unsigned, so a missing target (-1) sorts last.
quint32 Key(const FindingTarget& target) {
    return static_cast<quint32>(target.position);
}

} // namespace

bool FindingSet::Less::operator()(const std::shared_ptr<CInspectionMessageSemqnticRelation>& a,
                                  const std::shared_ptr<CInspectionMessageSemqnticRelation>& b) const {
    const auto& x = *a;
    const auto& y = *b;
    if (x.targets.size() != y.targets.size())
        return x.targets.size() < y.targets.size();
    for (size_t i = 0; i < x.targets.size(); ++i)
        if (Key(x.targets[i]) != Key(y.targets[i]))
            return Key(x.targets[i]) < Key(y.targets[i]);
    return x.message < y.message;
}

void FindingSet::Add(const CInspectionMessageTwoTargets& finding) {
    const PairKey key{finding.kind, finding.target1.position, finding.target2.position};
    if (m_pairs.contains(key))
        return;
    m_pairs.insert(key);
    Write(finding);
}

void FindingSet::Add(std::shared_ptr<CInspectionMessageSemqnticRelation> finding) {
    if (m_relations.count(finding))
        return;
    Write(*finding);
    m_relations.insert(std::move(finding));
}

void FindingSet::AddBetweenPaths(qint32 kind, quint32 later, quint32 earlier) {
    const bool redundant = kind == CInspectionMessageTwoTargets::Redundant;
    resultPane->AddFinding(Layout(redundant ? 0 : 1), {later, earlier, 0, 0});
    (redundant ? m_redundancy : m_inconsistency) += 1;
}

void FindingSet::AddRedundantAssumption(const std::array<quint32, 4>& targets) {
    resultPane->AddFinding(Layout(2), targets);
    ++m_redundancy;
}

quint32 FindingSet::TargetLine(const FindingTarget& target) {
    auto found = m_targetLines.constFind(target.position);
    if (found == m_targetLines.cend())
        found = m_targetLines.insert(target.position, resultPane->AddTargetLine(MakeTargetLine(m_environment, target)));
    return *found;
}

quint32 FindingSet::Layout(int which) {
    quint32& layout = m_layouts[which];
    if (layout == UINT32_MAX)
        layout = resultPane->AddFindingLayout(which == 2 ? RedundantAssumptionLayout(m_environment)
                                                         : CInspectionMessageTwoTargets::BetweenPathsLayout(
                                                               which == 0 ? CInspectionMessageTwoTargets::Redundant
                                                                          : CInspectionMessageTwoTargets::Contradiction,
                                                               m_environment));
    return layout;
}

void FindingSet::Write(const CInspectionMessage& finding) {
    finding.Write(*resultPane, m_environment);
    m_redundancy += finding.IsRedundancy() ? 1 : 0;
    m_inconsistency += finding.IsInconsistency() ? 1 : 0;
    m_semantic += finding.IsSemanticRelation() ? 1 : 0;
}
