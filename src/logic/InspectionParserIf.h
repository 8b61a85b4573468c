#pragma once

#include "logic/InspectionParserSequence.h"

#include <optional>

class CLogicLine;

class CInspectionParserIf : public CInspectionParserEntity {
public:
    CInspectionParserIf() : CInspectionParserEntity(Kind::If) {}
    void CheckSyntax(CInspectionView& pane, quint32& counter) const override;
    bool HoldsDoOrFn() const override { return thenBody->HoldsDoOrFn() || elseBody->HoldsDoOrFn(); }
    bool HasEffectiveStatement() const { return thenBody->HasEffective() || elseBody->HasEffective(); }
    QString ComposeIfText() const;

    // Read from the if line itself rather than copied into every node, as a Do node does.
    const QString& MemberName() const;
    const QString& JoiningText() const;
    const QString& StateName() const;
    const QString& ClosingText() const;

    const CLogicLine* ifLine = nullptr;
    InspectionParserSequencePtr thenBody;
    InspectionParserSequencePtr elseBody;
    qint32 ifPosition = 0;
    qint32 elsePosition = 0;
    const CUnitFunction* function = nullptr;
    qint32 ifLineIndex = 0;
    qint32 elseLineIndex = 0;
    QString ifText;
    QString elseText;
    std::optional<PathCondition> thenRecord;
    std::optional<PathCondition> elseRecord; // negated, on the else line
    // The two conditions as the condition list shows them; only that list needs them.
    QString ThenConditionText() const;
    QString ElseConditionText() const;
    const InspectionEnvironment* environment = nullptr;
};
