#include "logic/FindingSet.h"

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
    const PairKey key{finding.kind * 2 + finding.betweenConclusions, finding.target1.position,
                      finding.target2.position};
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

void FindingSet::AddUnrepeatable(const CInspectionMessage& finding) {
    Write(finding);
}

void FindingSet::Write(const CInspectionMessage& finding) {
    finding.Write(*resultPane, m_environment);
    m_redundancy += finding.IsRedundancy() ? 1 : 0;
    m_inconsistency += finding.IsInconsistency() ? 1 : 0;
    m_semantic += finding.IsSemanticRelation() ? 1 : 0;
}
