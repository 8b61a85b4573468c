#pragma once

#include "logic/InspectionMessage.h"

#include <vector>

// A semantic relation whose unit sentences all hold on a path.
class CInspectionMessageSemqnticRelation : public CInspectionMessage {
public:
    bool IsRedundancy() const override { return false; }
    bool IsInconsistency() const override { return false; }
    bool IsSemanticRelation() const override { return true; }
    void Write(CInspectionView& pane, const InspectionEnvironment& environment) const override;

    std::vector<FindingTarget> targets; // the conditions matched, then the concluding Do
    QString message;
};
