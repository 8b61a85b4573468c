#include "logic/InspectionParserDo.h"

#include "logic/InspectionEnvironment.h"
#include "model/LogicLine.h"

#include <QStringBuilder>

void CInspectionParserDo::CheckSyntax(CInspectionView& pane, quint32& counter) const {
    if (MemberName().isEmpty() || StateName().isEmpty())
        WriteSyntaxFinding(pane, counter, *environment, function, lineIndex, ComposeText(), MissingNameMessage());
}

QString CInspectionParserDo::ComposeText() const {
    return environment->GetSymbol(SyntaxDo) % u' ' % SlotsText();
}
