#include "logic/InspectionParserLoop.h"

#include "logic/InspectionEnvironment.h"
#include "model/LogicLine.h"

QString CInspectionParserLoop::LineText(qint32) const {
    return environment->GetSymbol(SyntaxLoop);
}

void CInspectionParserLoop::CheckSyntax(CInspectionView& pane, quint32& counter) const {
    const QString text = LineText(StatementLine::kFirstLine);
    if (!HasEffectiveStatement())
        WriteSyntaxFinding(pane, counter, *environment, function, lineIndex, text,
                           NoEffectiveStatementMessage(*environment));
    if (body->IsEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, lineIndex, text, EmptyBodyMessage());
    body->CheckSyntax(pane, counter);
}
