#pragma once

#include "logic/InspectionParserSequence.h"

#include <optional>

class CInspectionParserIf : public CInspectionParserEntity, public MemberStateSlots {
public:
    CInspectionParserIf() : CInspectionParserEntity(Kind::If) {}
    void CheckSyntax(CInspectionView& pane, quint32& counter) const override;
    bool HoldsDoOrFn() const override { return thenBody->HoldsDoOrFn() || elseBody->HoldsDoOrFn(); }
    bool HasEffectiveStatement() const { return thenBody->HasEffective() || elseBody->HasEffective(); }
    QString ComposeIfText() const;
    QString LineText(qint32 part) const override;

    const CInspectionParserSequence* thenBody = nullptr;
    const CInspectionParserSequence* elseBody = nullptr;
    qint32 ifPosition = 0;
    qint32 elsePosition = 0;
    const CUnitFunction* function = nullptr;
    qint32 ifLineIndex = 0;
    qint32 elseLineIndex = 0;
    std::optional<PathCondition> thenRecord;
    std::optional<PathCondition> elseRecord; // negated, on the else line
    // The else condition as the condition list shows it (the then condition is SlotsText); only that list needs it.
    QString ElseConditionText() const;
};
