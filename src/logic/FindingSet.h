#pragma once

#include "logic/InspectionMessage.h"

#include <QSet>

#include <memory>
#include <set>

class CInspectionMessageSemqnticRelation;
class CInspectionMessageTwoTargets;

// The findings of one run: each is written the moment it first arrives, repeats are dropped, and the counts
// are kept as they come.
class FindingSet {
public:
    FindingSet(CInspectionView& pane, const InspectionEnvironment& environment)
        : resultPane(&pane), m_environment(environment) {}

    // A pair of items on one path: another path through the same statements finds it again.
    void Add(const CInspectionMessageTwoTargets& finding);
    void Add(std::shared_ptr<CInspectionMessageSemqnticRelation> finding);
    // A finding that no other arrival can repeat, such as one about a pair of paths, each pair met once.
    void AddUnrepeatable(const CInspectionMessage& finding);

    quint32 CountRedundancyFindings() const { return m_redundancy; }
    quint32 CountInconsistencyFindings() const { return m_inconsistency; }
    quint32 CountSemanticRelationFindings() const { return m_semantic; }

    CInspectionView* resultPane;

private:
    // Equivalent findings (the same statements in the same roles) compare equal.
    struct Less {
        bool operator()(const std::shared_ptr<CInspectionMessageSemqnticRelation>& a,
                        const std::shared_ptr<CInspectionMessageSemqnticRelation>& b) const;
    };
    // The kind of a pair and the positions of its two items.
    struct PairKey {
        qint32 kind;
        qint32 position1;
        qint32 position2;
        bool operator==(const PairKey&) const = default;
        friend size_t qHash(const PairKey& key, size_t seed) {
            return qHashMulti(seed, key.kind, key.position1, key.position2);
        }
    };

    void Write(const CInspectionMessage& finding);

    const InspectionEnvironment& m_environment;
    QSet<PairKey> m_pairs;
    std::set<std::shared_ptr<CInspectionMessageSemqnticRelation>, Less> m_relations;
    quint32 m_redundancy = 0;
    quint32 m_inconsistency = 0;
    quint32 m_semantic = 0;
};
