#include "logic/InspectionParserSwitch.h"

#include "logic/InspectionEnvironment.h"
#include "logic/NegatableText.h"
#include "logic/QuantifiedMemberName.h"
#include "model/LogicLine.h"

#include <QStringBuilder>

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
    // Only a finding needs the statement's text.
    const auto shown = [this] { return ComposeSwitchText(); };
    if (memberName.isEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, switchLineIndex, shown(), MissingNameMessage());
    if (!HasEffectiveStatement())
        WriteSyntaxFinding(pane, counter, *environment, function, switchLineIndex, shown(),
                           NoEffectiveStatementMessage(*environment));
    for (const InspectionSwitchCase& item : cases) {
        if (item.stateName.isEmpty())
            WriteSyntaxFinding(pane, counter, *environment, item.function, item.lineIndex, ComposeCaseText(item),
                               MissingNameMessage());
        if (item.body->IsEmpty())
            WriteSyntaxFinding(pane, counter, *environment, item.function, item.lineIndex, ComposeCaseText(item),
                               EmptyBodyMessage());
        item.body->CheckSyntax(pane, counter);
    }
    if (elswBody->IsEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, elswLineIndex, elswText, EmptyBodyMessage());
    elswBody->CheckSyntax(pane, counter);
}

QString CInspectionParserSwitch::ComposeSwitchText() const {
    return environment->GetSymbol(SyntaxSwitch) % QStringLiteral(" <") % memberName % u'>' % joiningText;
}

QString CInspectionParserSwitch::ComposeCaseText(const InspectionSwitchCase& item) const {
    return environment->GetSymbol(SyntaxCase) % QStringLiteral(" {") % item.stateName % u'}' % item.joiningText;
}

QString CInspectionParserSwitch::ConditionText(const InspectionSwitchCase& item) const {
    return MemberStateText(memberName, joiningText, item.stateName, item.joiningText);
}

QString CInspectionParserSwitch::NegatedConditionText(const InspectionSwitchCase& item) const {
    return MemberStateText(SplitAtQuantifier(memberName, environment->quantifiers), joiningText,
                           ParseNegationPrefix(item.stateName).Negated().GetText(), item.joiningText);
}
