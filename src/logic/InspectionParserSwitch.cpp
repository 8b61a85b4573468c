#include "logic/InspectionParserSwitch.h"

#include "logic/InspectionEnvironment.h"

bool CInspectionParserSwitch::HoldsDoOrFn() const {
    for (const InspectionSwitchCase& item : cases)
        if (item.body->HoldsDoOrFn())
            return true;
    return elswBody->HoldsDoOrFn();
}

bool CInspectionParserSwitch::HasEffectiveStatement() const {
    for (const InspectionSwitchCase& item : cases)
        if (item.body->HasEffective())
            return true;
    return elswBody->HasEffective();
}

void CInspectionParserSwitch::CheckSyntax(CInspectionView& pane, quint32& counter) const {
    if (memberName.isEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, switchLineIndex, switchText, MissingNameMessage());
    if (!HasEffectiveStatement())
        WriteSyntaxFinding(pane, counter, *environment, function, switchLineIndex, switchText,
                           NoEffectiveStatementMessage(*environment));
    for (const InspectionSwitchCase& item : cases) {
        if (item.stateName.isEmpty())
            WriteSyntaxFinding(pane, counter, *environment, item.function, item.lineIndex, item.text,
                               MissingNameMessage());
        if (item.body->IsEmpty())
            WriteSyntaxFinding(pane, counter, *environment, item.function, item.lineIndex, item.text,
                               EmptyBodyMessage());
        item.body->CheckSyntax(pane, counter);
    }
    if (elswBody->IsEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, elswLineIndex, elswText, EmptyBodyMessage());
    elswBody->CheckSyntax(pane, counter);
}
