#include "logic/FindingSet.h"

#include "logic/InspectionMessageRedundantAssumption.h"
#include "logic/InspectionMessageSemqnticRelation.h"
#include "logic/InspectionMessageTwoTargets.h"

#include <tuple>

namespace {

// Positions compare unsigned, so a missing target (-1) sorts last.
quint32 Key(const FindingTarget& target) {
    return static_cast<quint32>(target.position);
}

} // namespace

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
