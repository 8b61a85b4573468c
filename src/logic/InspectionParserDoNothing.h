#pragma once

#include "logic/InspectionParserSingleLine.h"

class CInspectionParserDoNothing : public CInspectionParserSingleLine {
public:
    CInspectionParserDoNothing() : CInspectionParserSingleLine(Kind::DoNothing) {}
    bool IsEffective() const override { return false; }
};
