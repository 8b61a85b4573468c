#include "logic/InspectionParserIf.h"

#include "logic/InspectionEnvironment.h"

void CInspectionParserIf::CheckSyntax(CInspectionView& pane, quint32& counter) const {
    if (memberName.isEmpty() || stateName.isEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, ifLineIndex, ifText, MissingNameMessage());
    if (!HasEffectiveStatement())
        WriteSyntaxFinding(pane, counter, *environment, function, ifLineIndex, ifText,
                           NoEffectiveStatementMessage(*environment));
    if (thenBody->IsEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, ifLineIndex, ifText, EmptyBodyMessage());
    thenBody->CheckSyntax(pane, counter);
    if (elseBody->IsEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, elseLineIndex, elseText, EmptyBodyMessage());
    elseBody->CheckSyntax(pane, counter);
}
