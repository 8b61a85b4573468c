#include "settings/SynchronizationSettingsPageModel.h"

#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

namespace {

bool Confirmed(StringId question) {
    return platform::AskOkCancel(LoadString(question));
}

} // namespace

CSynchronizationSettingsPageModel::CSynchronizationSettingsPageModel(const CDocumentData& document)
    : synchronizeFn(document.environment.synchronizeFn),
      enableDuplicateSiblings(document.environment.enableDuplicateSiblings != 0) {}

bool CSynchronizationSettingsPageModel::Apply(CDocumentData& document) const {
    CEnvironmentOptions& options = document.environment;
    const int storedMode = options.synchronizeFn;
    if (storedMode == synchronizeFn && (options.enableDuplicateSiblings != 0) == enableDuplicateSiblings)
        return false;
    options.synchronizeFn = synchronizeFn;
    options.enableDuplicateSiblings = enableDuplicateSiblings ? 1 : 0;

    CUnitFunctionRegistry& registry = document.registry;
    const ModelOptions modelOptions = document.GetModelOptions();
    bool converted = false;
    if (synchronizeFn == 2 && storedMode < 2) {
        registry.RemoveEmptyFnStatementsAll();
        converted = true;
        if (!registry.AllFunctionsSatisfy()) {
            if (registry.CountFnStatements() > 0) {
                if (Confirmed(StringId::RebuildTableOfContentsQuestion))
                    registry.ChildrenFromFnStatementsAll();
            } else if (Confirmed(StringId::AddFnStatementsQuestion)) {
                registry.SynchronizeAllFnLines(modelOptions);
            }
        }
    }
    // Mode 2 keeps the children equal to the Fn statements, duplicates included; only mode 1 keeps them single.
    if (synchronizeFn == 1 && !enableDuplicateSiblings && registry.AnyFunctionHasDuplicateChildren() &&
        Confirmed(StringId::RemoveDuplicateChildrenQuestion)) {
        registry.RemoveDuplicateChildrenAll();
        converted = true;
    }
    if (converted) {
        document.RebuildAndRefresh(modelOptions);
    }
    return true;
}
