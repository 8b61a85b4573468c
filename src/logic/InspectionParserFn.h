#pragma once

#include "logic/InspectionParserSingleLine.h"

class CInspectionParserFn : public CInspectionParserSingleLine {
public:
    CInspectionParserFn() : CInspectionParserSingleLine(Kind::Fn) {}
    bool HoldsDoOrFn() const override { return true; }
    // "Fn [name] (outline number)" of the unit function called; empty brackets when none has the ID.
    QString ComposeText() const;
    QString LineText(qint32) const override { return ComposeText(); }

    quint32 calledID = 0;
    const CUnitFunction* calledFunction = nullptr; // null when no unit function has the ID
};
