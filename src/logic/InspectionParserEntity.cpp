#include "logic/InspectionParserEntity.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionMessage.h"
#include "logic/InspectionView.h"
#include "model/UnitFunction.h"

namespace {

QString MissingNameMessage() {
    return QStringLiteral("メンバー名または状態名が記述されていません");
}

QString NoEffectiveStatementMessage(const InspectionEnvironment& environment) {
    return environment.GetSymbol(SyntaxDo) + QStringLiteral("・") + environment.GetSymbol(SyntaxFn) +
           QStringLiteral("構文が記述されていません");
}

QString EmptyBodyMessage() {
    return QStringLiteral("有効な記述がありません");
}

void WriteFinding(CInspectionView& pane, quint32& counter, const InspectionEnvironment& environment,
                  const CUnitFunction* function, qint32 lineIndex, const QString& text, const QString& message) {
    WriteTargetLine(pane, environment, function, lineIndex,
                    text + QStringLiteral(" (") + message + QStringLiteral(")"));
    ++counter;
}

} // namespace

void CInspectionParserDo::CheckSyntax(CInspectionView& pane, quint32& counter) const {
    if (memberName.isEmpty() || stateName.isEmpty())
        WriteFinding(pane, counter, *environment, function, lineIndex, text, MissingNameMessage());
}

bool CInspectionParserSequence::HasEffective() const {
    for (const InspectionParserNode& node : nodes)
        if (node->IsEffective())
            return true;
    return false;
}

bool CInspectionParserSequence::HoldsDoOrFn() const {
    for (const InspectionParserNode& node : nodes)
        if (node->HoldsDoOrFn())
            return true;
    return false;
}

void CInspectionParserSequence::CheckSyntax(CInspectionView& pane, quint32& counter) const {
    for (const InspectionParserNode& node : nodes)
        node->CheckSyntax(pane, counter);
}

void CInspectionParserIf::CheckSyntax(CInspectionView& pane, quint32& counter) const {
    if (memberName.isEmpty() || stateName.isEmpty())
        WriteFinding(pane, counter, *environment, function, ifLineIndex, ifText, MissingNameMessage());
    if (!HasEffectiveStatement())
        WriteFinding(pane, counter, *environment, function, ifLineIndex, ifText,
                     NoEffectiveStatementMessage(*environment));
    if (thenBody->IsEmpty())
        WriteFinding(pane, counter, *environment, function, ifLineIndex, ifText, EmptyBodyMessage());
    thenBody->CheckSyntax(pane, counter);
    if (elseBody->IsEmpty())
        WriteFinding(pane, counter, *environment, function, elseLineIndex, elseText, EmptyBodyMessage());
    elseBody->CheckSyntax(pane, counter);
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
    if (memberName.isEmpty())
        WriteFinding(pane, counter, *environment, function, switchLineIndex, switchText, MissingNameMessage());
    if (!HasEffectiveStatement())
        WriteFinding(pane, counter, *environment, function, switchLineIndex, switchText,
                     NoEffectiveStatementMessage(*environment));
    for (const InspectionSwitchCase& item : cases) {
        if (item.stateName.isEmpty())
            WriteFinding(pane, counter, *environment, item.function, item.lineIndex, item.text, MissingNameMessage());
        if (item.body->IsEmpty())
            WriteFinding(pane, counter, *environment, item.function, item.lineIndex, item.text, EmptyBodyMessage());
        item.body->CheckSyntax(pane, counter);
    }
    if (elswBody->IsEmpty())
        WriteFinding(pane, counter, *environment, function, elswLineIndex, elswText, EmptyBodyMessage());
    elswBody->CheckSyntax(pane, counter);
}

void CInspectionParserLoop::CheckSyntax(CInspectionView& pane, quint32& counter) const {
    if (!HasEffectiveStatement())
        WriteFinding(pane, counter, *environment, function, lineIndex, text, NoEffectiveStatementMessage(*environment));
    if (body->IsEmpty())
        WriteFinding(pane, counter, *environment, function, lineIndex, text, EmptyBodyMessage());
    body->CheckSyntax(pane, counter);
}
