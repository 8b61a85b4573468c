#include "logic/InspectionMessage.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionView.h"
#include "logic/JumperToLineInLogic.h"
#include "model/UnitFunction.h"
#include "texts/StringTable.h"

#include <utility>

void CInspectionMessage::WriteTarget(CInspectionView& pane, const InspectionEnvironment& environment,
                                     const FindingTarget& target) {
    WriteTargetLine(pane, environment, target.unitFunction, target.lineIndex, target.line.Text());
}

QString CInspectionMessage::Header(const QString& text) {
    return QStringLiteral("── ") + text + QStringLiteral(" ──");
}

namespace {

// "[outline Line n] ", or "[] " without a unit function.
QString LinePlace(const InspectionEnvironment& environment, const CUnitFunction* unitFunction, qint32 lineIndex) {
    if (!unitFunction)
        return QStringLiteral("[] ");
    return LoadString(StringId::LinePlace)
        .arg(environment.OutlineNumberText(*unitFunction), QString::number(static_cast<quint32>(lineIndex + 1)));
}

} // namespace

InspectionTargetLine MakeTargetLine(const InspectionEnvironment& environment, const FindingTarget& target) {
    return MakeTargetLine(environment, target.unitFunction, target.lineIndex, target.line.Text());
}

InspectionTargetLine MakeTargetLine(const InspectionEnvironment& environment, const CUnitFunction* unitFunction,
                                    qint32 lineIndex, QString text) {
    InspectionTargetLine line;
    line.text = std::move(text);
    line.place = LinePlace(environment, unitFunction, lineIndex);
    if (!unitFunction)
        return line;
    line.internalId = static_cast<qint32>(unitFunction->InternalID);
    line.lineIndex = lineIndex;
    line.inFunction = true;
    return line;
}

void WriteTargetLine(CInspectionView& pane, const InspectionEnvironment& environment, const CUnitFunction* unitFunction,
                     qint32 lineIndex, const QString& text) {
    const QString line = LinePlace(environment, unitFunction, lineIndex) + text;
    if (!unitFunction) {
        pane.AddMessageWithoutTarget(line);
        return;
    }
    pane.AddMessage(line,
                    std::make_unique<CJumperToLineInLogic>(static_cast<qint32>(unitFunction->InternalID), lineIndex));
}
