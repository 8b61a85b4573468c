#include "logic/InspectionMessage.h"

#include "logic/InspectionEnvironment.h"
#include "logic/InspectionView.h"
#include "logic/JumperToLineInLogic.h"
#include "model/UnitFunction.h"
#include "texts/StringTable.h"

void CInspectionMessage::WriteTarget(CInspectionView& pane, const InspectionEnvironment& environment,
                                     const FindingTarget& target) {
    WriteTargetLine(pane, environment, target.unitFunction, target.lineIndex, target.line.Text());
}

QString CInspectionMessage::Header(const QString& text) {
    return QStringLiteral("── ") + text + QStringLiteral(" ──");
}

InspectionTargetLine MakeTargetLine(const InspectionEnvironment& environment, const FindingTarget& target) {
    InspectionTargetLine line;
    line.text = target.line.Text();
    if (!target.unitFunction) {
        line.place = QStringLiteral("[] ");
        return line;
    }
    line.place = LoadString(StringId::LinePlace)
                     .arg(environment.OutlineNumberText(*target.unitFunction),
                          QString::number(static_cast<quint32>(target.lineIndex + 1)));
    line.internalId = static_cast<qint32>(target.unitFunction->InternalID);
    line.lineIndex = target.lineIndex;
    line.inFunction = true;
    return line;
}

void WriteTargetLine(CInspectionView& pane, const InspectionEnvironment& environment, const CUnitFunction* unitFunction,
                     qint32 lineIndex, const QString& text) {
    if (!unitFunction) {
        pane.AddMessageWithoutTarget(QStringLiteral("[] ") + text);
        return;
    }
    pane.AddMessage(LoadString(StringId::LinePlace)
                            .arg(environment.OutlineNumberText(*unitFunction),
                                 QString::number(static_cast<quint32>(lineIndex + 1))) +
                        text,
                    std::make_unique<CJumperToLineInLogic>(static_cast<qint32>(unitFunction->InternalID), lineIndex));
}
