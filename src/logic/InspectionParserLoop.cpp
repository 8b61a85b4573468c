#include "logic/InspectionParserLoop.h"

#include "logic/InspectionEnvironment.h"

void CInspectionParserLoop::CheckSyntax(CInspectionView& pane, quint32& counter) const {
    if (!HasEffectiveStatement())
        WriteSyntaxFinding(pane, counter, *environment, function, lineIndex, text,
                           NoEffectiveStatementMessage(*environment));
    if (body->IsEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, lineIndex, text, EmptyBodyMessage());
    body->CheckSyntax(pane, counter);
}
