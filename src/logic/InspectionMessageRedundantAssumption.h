#pragma once

#include "logic/InspectionMessage.h"

// Two conclusions that differ only in one condition and its opposite.
class CInspectionMessageRedundantAssumption : public CInspectionMessage {
public:
    bool IsRedundancy() const override { return true; }
    bool IsInconsistency() const override { return false; }
    bool IsSemanticRelation() const override { return false; }
    int GetKind() const override { return 2; }
    void Write(CInspectionView& pane, const InspectionEnvironment& environment) const override;

    FindingTarget laterConclusion;
    FindingTarget earlierConclusion;
    FindingTarget laterCondition;
    FindingTarget earlierCondition;
};
