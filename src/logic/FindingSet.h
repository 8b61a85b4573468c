#pragma once

#include "logic/InspectionMessage.h"

#include <memory>
#include <set>

// Strict order of findings; equivalent findings (the same statements in the same roles) compare equal.
bool CompareFindings(const std::shared_ptr<CInspectionMessage>& a, const std::shared_ptr<CInspectionMessage>& b);

// The findings of one run: each is written the moment it first arrives, repeats are dropped.
class FindingSet {
public:
    FindingSet(CInspectionView& pane, const InspectionEnvironment& environment)
        : resultPane(&pane), m_environment(environment) {}

    void Add(std::shared_ptr<CInspectionMessage> finding);

    quint32 CountRedundancyFindings() const;
    quint32 CountInconsistencyFindings() const;
    quint32 CountSemanticRelationFindings() const;

    CInspectionView* resultPane;

private:
    struct Less {
        bool operator()(const std::shared_ptr<CInspectionMessage>& a,
                        const std::shared_ptr<CInspectionMessage>& b) const {
            return CompareFindings(a, b);
        }
    };

    const InspectionEnvironment& m_environment;
    std::set<std::shared_ptr<CInspectionMessage>, Less> m_findings;
};
