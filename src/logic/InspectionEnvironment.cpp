#include "logic/InspectionEnvironment.h"

#include "model/UnitFunctionRegistry.h"
#include "platform/Trace.h"

QString InspectionEnvironment::GetSymbol(int syntax) const {
    if (syntax < 0 || syntax >= LogicKeywordCount) {
        qCDebug(nuvTrace).noquote() << QStringLiteral(
            "CInspectionParser::GetSymbol 構文記号を取得しようとしましたが、構文番号が範囲外です。");
        return QString();
    }
    return keywords[syntax];
}

QString InspectionEnvironment::OutlineNumberText(const CUnitFunction& function) const {
    return function.GetOutlineNumberText(distinguishPrimaryOutlineNumber);
}

const CUnitFunction* InspectionEnvironment::FindFunction(quint32 internalId) const {
    return registry ? registry->FindByInternalID(internalId) : nullptr;
}
