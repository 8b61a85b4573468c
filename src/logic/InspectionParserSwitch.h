#pragma once

#include "logic/InspectionParserSequence.h"

#include <memory_resource>
#include <optional>
#include <vector>

struct InspectionSwitchCase {
    const CLogicLine* line = nullptr; // its slots are read where they lie, as for Do and if lines
    qint32 position = 0;
    const CUnitFunction* function = nullptr;
    qint32 lineIndex = 0;
    const CInspectionParserSequence* body = nullptr;
    std::optional<PathCondition> record;

    const QString& StateName() const;
    const QString& JoiningText() const;
};

// Member and joining text are the first two slots of the switch line.
class CInspectionParserSwitch : public CInspectionParserEntity, public MemberStateSlots {
public:
    explicit CInspectionParserSwitch(std::pmr::memory_resource* arena)
        : CInspectionParserEntity(Kind::Switch), cases(arena), elswRecords(arena) {}
    void CheckSyntax(CInspectionView& pane, quint32& counter) const override;
    bool HoldsDoOrFn() const override;
    bool HasEffectiveStatement() const;
    QString ComposeSwitchText() const;
    QString ComposeCaseText(const InspectionSwitchCase& item) const;
    QString LineText(qint32 part) const override;
    // A case condition and its negation for the elsw branch, as the condition list shows them; only that list
    // needs them.
    QString ConditionText(const InspectionSwitchCase& item) const;
    QString NegatedConditionText(const InspectionSwitchCase& item) const;

    std::pmr::vector<InspectionSwitchCase> cases;
    const CInspectionParserSequence* elswBody = nullptr;
    qint32 switchPosition = 0;
    qint32 elswPosition = 0;
    const CUnitFunction* function = nullptr;
    qint32 switchLineIndex = 0;
    qint32 elswLineIndex = 0;
    std::pmr::vector<PathCondition> elswRecords; // negated case conditions, each state once, on the elsw line
};
