#pragma once

#include "model/DocumentData.h"
#include "support/logic/LogicScript.h"
#include "texts/MessageContext.h"

// A new document whose origin and children carry logic scripts; outline numbers are rebuilt on Finish.
struct SearchTestDocument {
    SearchTestDocument() {
        data.SetDefaults();
        context.m_language = 1;
    }
    CUnitFunction& Origin(const QString& script) {
        data.registry.origin->name = QStringLiteral("Main");
        AppendScript(*data.registry.origin, script, pending);
        return *data.registry.origin;
    }
    CUnitFunction& Add(const QString& name, const QString& script, CUnitFunction* parent = nullptr) {
        CUnitFunction* function = data.registry.CreateFunction(name, data.GetModelOptions());
        CUnitFunction::AppendChild(parent ? parent : data.registry.origin, function);
        AppendScript(*function, script, pending);
        return *function;
    }
    void Finish() {
        ResolveScriptFnLines(data.registry, pending);
        data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    }

    CDocumentData data;
    CMessageContext context;
    std::vector<std::pair<CLogicLine*, QString>> pending;
};
