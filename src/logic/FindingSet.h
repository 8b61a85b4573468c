#pragma once

#include "logic/InspectionMessage.h"

#include <QHash>
#include <QSet>

#include <array>
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
    // Findings about two paths, kept by the pane as one record each. Each pair of paths is met once, so none
    // repeats. The targets are the pane's lines for them (TargetLine).
    void AddBetweenPaths(qint32 kind, quint32 later, quint32 earlier);
    void AddRedundantAssumption(const std::array<quint32, 4>& targets);
    // The pane's line for the target, made once for each statement a run names.
    quint32 TargetLine(const FindingTarget& target);

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
    quint32 Layout(int which);

    const InspectionEnvironment& m_environment;
    QHash<qint32, quint32> m_targetLines; // by position
    // The pane's layouts of the findings between paths: a redundant pair, an inconsistent pair and a redundant
    // assumption; made when first needed.
    std::array<quint32, 3> m_layouts{UINT32_MAX, UINT32_MAX, UINT32_MAX};
    QSet<PairKey> m_pairs;
    std::set<std::shared_ptr<CInspectionMessageSemqnticRelation>, Less> m_relations;
    quint32 m_redundancy = 0;
    quint32 m_inconsistency = 0;
    quint32 m_semantic = 0;
};
