#pragma once

#include "logic/InspectionParserSequence.h"

class CInspectionParserLoop : public CInspectionParserEntity {
public:
    CInspectionParserLoop() : CInspectionParserEntity(Kind::Loop) {}
    void CheckSyntax(CInspectionView& pane, quint32& counter) const override;
    bool HoldsDoOrFn() const override { return body->HoldsDoOrFn(); }
    bool HasEffectiveStatement() const { return body->HasEffective(); }
    QString LineText(qint32) const override;

    const CInspectionParserSequence* body = nullptr;
    qint32 position = 0;
    const CUnitFunction* function = nullptr;
    qint32 lineIndex = 0;
};
