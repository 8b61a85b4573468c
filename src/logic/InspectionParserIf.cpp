#include "logic/InspectionParserIf.h"

#include "logic/InspectionEnvironment.h"
#include "logic/NegatableText.h"
#include "logic/QuantifiedMemberName.h"
#include "model/LogicLine.h"

#include <QStringBuilder>

void CInspectionParserIf::CheckSyntax(CInspectionView& pane, quint32& counter) const {
    // Only a finding needs the statement's text.
    const auto shown = [this] { return ComposeIfText(); };
    if (MemberName().isEmpty() || StateName().isEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, ifLineIndex, shown(), MissingNameMessage());
    if (!HasEffectiveStatement())
        WriteSyntaxFinding(pane, counter, *environment, function, ifLineIndex, shown(),
                           NoEffectiveStatementMessage(*environment));
    if (thenBody->IsEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, ifLineIndex, shown(), EmptyBodyMessage());
    thenBody->CheckSyntax(pane, counter);
    if (elseBody->IsEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, elseLineIndex, LineText(StatementLine::kClosingLine),
                           EmptyBodyMessage());
    elseBody->CheckSyntax(pane, counter);
}

QString CInspectionParserIf::ComposeIfText() const {
    return environment->GetSymbol(SyntaxIf) % u' ' % SlotsText();
}

QString CInspectionParserIf::LineText(qint32 part) const {
    return part == StatementLine::kClosingLine ? environment->GetSymbol(SyntaxElse) : ComposeIfText();
}

QString CInspectionParserIf::ElseConditionText() const {
    return MemberStateText(SplitAtQuantifier(MemberName(), environment->quantifiers), JoiningText(),
                           ParseNegationPrefix(StateName()).Negated().GetText(), ClosingText());
}
