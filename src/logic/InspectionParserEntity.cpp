#include "logic/InspectionParserEntity.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionMessage.h"
#include "model/LogicLine.h"
#include "texts/StringTable.h"

#include <QStringBuilder>

QString CInspectionParserEntity::MemberStateText(const QString& member, const QString& joining, const QString& state,
                                                 const QString& closing) {
    return u'<' % member % u'>' % joining % u'{' % state % u'}' % closing;
}

QString StatementLine::Text() const {
    return statement ? statement->LineText(part) : QString();
}

QString CInspectionParserEntity::MissingNameMessage() {
    return LoadString(StringId::MissingName);
}

QString CInspectionParserEntity::NoEffectiveStatementMessage(const InspectionEnvironment& environment) {
    return LoadString(StringId::NoEffectiveStatement)
        .arg(environment.GetSymbol(SyntaxDo), environment.GetSymbol(SyntaxFn));
}

QString CInspectionParserEntity::EmptyBodyMessage() {
    return LoadString(StringId::EmptyBody);
}

void CInspectionParserEntity::WriteSyntaxFinding(CInspectionView& pane, quint32& counter,
                                                 const InspectionEnvironment& environment,
                                                 const CUnitFunction* function, qint32 lineIndex, const QString& text,
                                                 const QString& message) {
    WriteTargetLine(pane, environment, function, lineIndex,
                    text + QStringLiteral(" (") + message + QStringLiteral(")"));
    ++counter;
}

const QString& MemberStateSlots::MemberName() const {
    return line->textSlots[0].text;
}

const QString& MemberStateSlots::JoiningText() const {
    return line->textSlots[1].text;
}

const QString& MemberStateSlots::StateName() const {
    return line->textSlots[2].text;
}

const QString& MemberStateSlots::ClosingText() const {
    return line->textSlots[3].text;
}

QString MemberStateSlots::SlotsText() const {
    return CInspectionParserEntity::MemberStateText(MemberName(), JoiningText(), StateName(), ClosingText());
}
