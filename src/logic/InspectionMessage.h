#pragma once

#include "logic/PathItem.h"

#include <QString>

#include <memory>
#include <set>
#include <vector>

class CInspectionView;
struct InspectionEnvironment;

// One finding of the path checks; writes itself to the result pane as a block of lines.
class CInspectionMessage {
public:
    virtual ~CInspectionMessage() = default;
    virtual bool IsRedundancy() const = 0;
    virtual bool IsInconsistency() const = 0;
    virtual bool IsSemanticRelation() const = 0;
    virtual int GetKind() const = 0;
    virtual void Write(CInspectionView& pane, const InspectionEnvironment& environment) const = 0;
};

// A pair of items on one path, or the conclusions of two paths.
class CInspectionMessageTwoTargets : public CInspectionMessage {
public:
    enum { Redundant = 0, Contradiction = 1, PossibleContradiction = 2 };

    bool IsRedundancy() const override { return kind == Redundant; }
    bool IsInconsistency() const override { return kind == Contradiction || kind == PossibleContradiction; }
    bool IsSemanticRelation() const override { return false; }
    int GetKind() const override { return 0; }
    void Write(CInspectionView& pane, const InspectionEnvironment& environment) const override;

    qint32 kind = Redundant;
    quint8 betweenConclusions = 0;
    FindingTarget target1; // the later item, or the conclusion of the later path
    FindingTarget target2; // the earlier one
};

// A semantic relation whose unit sentences all hold on a path.
class CInspectionMessageSemqnticRelation : public CInspectionMessage {
public:
    bool IsRedundancy() const override { return false; }
    bool IsInconsistency() const override { return false; }
    bool IsSemanticRelation() const override { return true; }
    int GetKind() const override { return 1; }
    void Write(CInspectionView& pane, const InspectionEnvironment& environment) const override;

    std::vector<FindingTarget> targets; // the conditions matched, then the concluding Do
    QString message;
};

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

// "[outline Line n] text" with a jump to the line, or "[] text" without a unit function.
void WriteTargetLine(CInspectionView& pane, const InspectionEnvironment& environment, const CUnitFunction* unitFunction,
                     qint32 lineIndex, const QString& text);
