#include "logic/InspectionEnvironment.h"

#include "model/DocumentData.h"
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

LogicKeywords GetLogicKeywords(const CDocumentData& document) {
    LogicKeywords keywords;
    for (size_t kind = 0; kind < keywords.size() && kind < document.SyntaxSymbols.size(); ++kind)
        keywords[kind] = document.SyntaxSymbols[kind].keyword;
    return keywords;
}

InspectionEnvironment MakeInspectionEnvironment(const CDocumentData& document) {
    InspectionEnvironment environment;
    environment.keywords = GetLogicKeywords(document);
    environment.registry = &document.registry;
    environment.quantifiers = &document.quantifiers;
    for (const auto& rule : document.inconsistencyRules)
        environment.semanticRelations.push_back(rule.get());
    for (const auto& rule : document.intraMemberConsistencyRules)
        environment.intraMemberRules.push_back(rule.get());
    environment.distinguishPrimaryOutlineNumber = document.GetModelOptions().DistinguishPrimaryOutlineNumber;
    return environment;
}
