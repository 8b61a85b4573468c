#include "logic/InspectionParserSwitch.h"

#include "logic/InspectionEnvironment.h"
#include "logic/NegatableText.h"
#include "logic/QuantifiedMemberName.h"
#include "model/LogicLine.h"

#include <QStringBuilder>

const QString& InspectionSwitchCase::StateName() const {
    return line->textSlots[0].text;
}

const QString& InspectionSwitchCase::JoiningText() const {
    return line->textSlots[1].text;
}

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
    if (MemberName().isEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, switchLineIndex, shown(), MissingNameMessage());
    if (!HasEffectiveStatement())
        WriteSyntaxFinding(pane, counter, *environment, function, switchLineIndex, shown(),
                           NoEffectiveStatementMessage(*environment));
    for (const InspectionSwitchCase& item : cases) {
        if (item.StateName().isEmpty())
            WriteSyntaxFinding(pane, counter, *environment, item.function, item.lineIndex, ComposeCaseText(item),
                               MissingNameMessage());
        if (item.body->IsEmpty())
            WriteSyntaxFinding(pane, counter, *environment, item.function, item.lineIndex, ComposeCaseText(item),
                               EmptyBodyMessage());
        item.body->CheckSyntax(pane, counter);
    }
    if (elswBody->IsEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, elswLineIndex, LineText(StatementLine::kClosingLine),
                           EmptyBodyMessage());
    elswBody->CheckSyntax(pane, counter);
}

QString CInspectionParserSwitch::ComposeSwitchText() const {
    return environment->GetSymbol(SyntaxSwitch) % QStringLiteral(" <") % MemberName() % u'>' % JoiningText();
}

QString CInspectionParserSwitch::ComposeCaseText(const InspectionSwitchCase& item) const {
    return environment->GetSymbol(SyntaxCase) % QStringLiteral(" {") % item.StateName() % u'}' % item.JoiningText();
}

QString CInspectionParserSwitch::LineText(qint32 part) const {
    if (part == StatementLine::kClosingLine)
        return environment->GetSymbol(SyntaxElsw);
    if (part == StatementLine::kFirstLine)
        return ComposeSwitchText();
    return ComposeCaseText(cases[static_cast<size_t>(part - 1)]);
}

QString CInspectionParserSwitch::ConditionText(const InspectionSwitchCase& item) const {
    return MemberStateText(MemberName(), JoiningText(), item.StateName(), item.JoiningText());
}

QString CInspectionParserSwitch::NegatedConditionText(const InspectionSwitchCase& item) const {
    return MemberStateText(SplitAtQuantifier(MemberName(), environment->quantifiers), JoiningText(),
                           ParseNegationPrefix(item.StateName()).Negated().GetText(), item.JoiningText());
}
