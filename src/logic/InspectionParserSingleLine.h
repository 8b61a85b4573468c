#pragma once

#include "logic/InspectionParserEntity.h"

// One line of the syntax tree's source: a logic line of a unit function.
class CInspectionParserSingleLine : public CInspectionParserEntity {
public:
    using CInspectionParserEntity::CInspectionParserEntity;

    void CheckSyntax(CInspectionView&, quint32&) const override {}
    bool HoldsDoOrFn() const override { return false; }
    QString LineText(qint32) const override { return QString(); }

    qint32 position = 0;
    const CUnitFunction* function = nullptr;
    qint32 lineIndex = 0;
};
