#pragma once

#include "logic/InspectionParserSingleLine.h"

class CInspectionParserExitlp : public CInspectionParserSingleLine {
public:
    CInspectionParserExitlp() : CInspectionParserSingleLine(Kind::Exitlp) {}
    QString LineText(qint32) const override;
};
