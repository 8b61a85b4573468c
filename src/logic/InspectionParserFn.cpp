#include "logic/InspectionParserFn.h"

#include "logic/InspectionEnvironment.h"
#include "model/LogicLine.h"
#include "model/UnitFunction.h"

#include <QStringBuilder>

QString CInspectionParserFn::ComposeText() const {
    QString name;
    QString number;
    if (calledFunction) {
        name = calledFunction->name;
        number = environment->OutlineNumberText(*calledFunction);
    }
    return environment->GetSymbol(SyntaxFn) % QStringLiteral(" [") % name % QStringLiteral("] (") % number % u')';
}
