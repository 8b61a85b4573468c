#include "settings/FunctionConditionsPageModel.h"

#include "model/DocumentData.h"

CFunctionConditionsPageModel::CFunctionConditionsPageModel(const CDocumentData& document)
    : unNecessaryReasoningDefault(document.environment.unNecessaryReasoningDefault != 0),
      inheritRequirementsDown(document.environment.inheritRequirementsDown != 0),
      inheritRequirementsUp(document.environment.inheritRequirementsUp != 0) {}

bool CFunctionConditionsPageModel::Apply(CDocumentData& document) const {
    CEnvironmentOptions& options = document.environment;
    const bool reasoningChanged = (options.unNecessaryReasoningDefault != 0) != unNecessaryReasoningDefault;
    const bool inheritanceChanged = (options.inheritRequirementsDown != 0) != inheritRequirementsDown ||
                                    (options.inheritRequirementsUp != 0) != inheritRequirementsUp;
    if (!reasoningChanged && !inheritanceChanged)
        return false;
    options.unNecessaryReasoningDefault = unNecessaryReasoningDefault ? 1 : 0;
    options.inheritRequirementsDown = inheritRequirementsDown ? 1 : 0;
    options.inheritRequirementsUp = inheritRequirementsUp ? 1 : 0;
    if (inheritanceChanged) {
        document.RebuildAndRefresh(document.GetModelOptions());
    }
    return true;
}
