#include "logic/InspectionParserDo.h"

#include "logic/InspectionEnvironment.h"
#include "model/LogicLine.h"

#include <QStringBuilder>

void CInspectionParserDo::CheckSyntax(CInspectionView& pane, quint32& counter) const {
    if (MemberName().isEmpty() || StateName().isEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, lineIndex, ComposeText(), MissingNameMessage());
}

QString CInspectionParserDo::ComposeText() const {
    return environment->GetSymbol(SyntaxDo) % u' ' % ShortText();
}

QString CInspectionParserDo::ShortText() const {
    return MemberStateText(MemberName(), JoiningText(), StateName(), ClosingText());
}

const QString& CInspectionParserDo::MemberName() const {
    return line->textSlots[0].text;
}

const QString& CInspectionParserDo::JoiningText() const {
    return line->textSlots[1].text;
}

const QString& CInspectionParserDo::StateName() const {
    return line->textSlots[2].text;
}

const QString& CInspectionParserDo::ClosingText() const {
    return line->textSlots[3].text;
}
