#pragma once

#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "model/UnitFunctionRegistry.h"

#include <QString>

#include <functional>
#include <memory>
#include <set>

// A document of n unit functions F1 .. Fn below the origin, the i-th owning the requirement items `itemsOf(i)`.
inline std::unique_ptr<CDocumentData> MakeOwningDocument(int n, const std::function<std::set<QString>(int)>& itemsOf) {
    auto data = std::make_unique<CDocumentData>();
    data->SetDefaults();
    const ModelOptions options = data->GetModelOptions();
    for (int i = 1; i <= n; ++i) {
        const QString name = QStringLiteral("F%1").arg(i);
        CUnitFunction* function = data->registry.CreateFunction(name, options);
        function->name = name;
        function->header.ownRequirements = itemsOf(i);
        CUnitFunction::AppendChild(data->registry.origin, function);
    }
    data->registry.RebuildAndNotify(data->indexRoot, options);
    return data;
}
