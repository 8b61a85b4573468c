#pragma once

#include "logic/InspectionParserSingleLine.h"

class CInspectionParserFn : public CInspectionParserSingleLine {
public:
    CInspectionParserFn() : CInspectionParserSingleLine(Kind::Fn) {}
    bool HoldsDoOrFn() const override { return true; }

    quint32 calledID = 0;
    const CUnitFunction* calledFunction = nullptr; // null when no unit function has the ID
};
