#pragma once

#include "logic/InspectionMessage.h"
#include "logic/InspectionView.h"

// A pair of items on one path; the conclusions of two paths are written as a record (BetweenPathsLayout).
class CInspectionMessageTwoTargets : public CInspectionMessage {
public:
    enum { Redundant = 0, Contradiction = 1, PossibleContradiction = 2 };

    bool IsRedundancy() const override { return kind == Redundant; }
    bool IsInconsistency() const override { return kind == Contradiction || kind == PossibleContradiction; }
    bool IsSemanticRelation() const override { return false; }
    void Write(CInspectionView& pane, const InspectionEnvironment& environment) const override;

    static CInspectionMessageTwoTargets Make(qint32 kind, const PathItem& earlier, const PathItem& later);
    // The lines of a finding about the conclusions of two paths; its targets are the later conclusion, then the
    // earlier one.
    static InspectionFindingLayout BetweenPathsLayout(qint32 kind, const InspectionEnvironment& environment);

    qint32 kind = Redundant;
    FindingTarget target1; // the later item
    FindingTarget target2; // the earlier one
};
