#pragma once

#include "logic/InspectionMessage.h"

// A pair of items on one path, or the conclusions of two paths.
class CInspectionMessageTwoTargets : public CInspectionMessage {
public:
    enum { Redundant = 0, Contradiction = 1, PossibleContradiction = 2 };

    bool IsRedundancy() const override { return kind == Redundant; }
    bool IsInconsistency() const override { return kind == Contradiction || kind == PossibleContradiction; }
    bool IsSemanticRelation() const override { return false; }
    int GetKind() const override { return 0; }
    void Write(CInspectionView& pane, const InspectionEnvironment& environment) const override;

    static CInspectionMessageTwoTargets Make(qint32 kind, quint8 betweenConclusions, const PathItem& earlier,
                                             const PathItem& later);

    qint32 kind = Redundant;
    quint8 betweenConclusions = 0;
    FindingTarget target1; // the later item, or the conclusion of the later path
    FindingTarget target2; // the earlier one
};
