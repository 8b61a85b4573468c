#include "logic/InspectionParserExitlp.h"

#include "logic/InspectionEnvironment.h"
#include "model/LogicLine.h"

QString CInspectionParserExitlp::LineText(qint32) const {
    return environment->GetSymbol(SyntaxExitlp);
}
