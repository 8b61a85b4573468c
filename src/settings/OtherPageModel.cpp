#include "settings/OtherPageModel.h"

#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

COtherPageModel::COtherPageModel(const CDocumentData& document)
    : enableDuplicateFunctionName(document.environment.enableDuplicateFunctionName != 0),
      distinguishPrimaryOutlineNumber(document.environment.distinguishPrimaryOutlineNumber != 0),
      showOutlineNumberInTabTitle(document.environment.showOutlineNumberInTabTitle != 0),
      synchronizeHorizontalSplitter(document.headerIOSettings.HorizontalSizeShared == 1) {}

bool COtherPageModel::Apply(CDocumentData& document, const CMessageContext& context) {
    CEnvironmentOptions& options = document.environment;
    const bool duplicatesAllowedNow = enableDuplicateFunctionName && options.enableDuplicateFunctionName == 0;
    if (duplicatesAllowedNow && !distinguishPrimaryOutlineNumber &&
        platform::ShowMessageBox(
            LoadString(StringId::AlsoSwitchOnQuestion).arg(Msg::DistinguishDestinationOfReuseAndSourceOfReuse(context)),
            platform::MessageButtons::YesNo, platform::MessageIcon::Question) == platform::MessageAnswer::Yes)
        distinguishPrimaryOutlineNumber = true;

    const bool numberingChanged = (options.distinguishPrimaryOutlineNumber != 0) != distinguishPrimaryOutlineNumber;
    const bool titlesChanged = (options.showOutlineNumberInTabTitle != 0) != showOutlineNumberInTabTitle;
    const bool namesChanged = (options.enableDuplicateFunctionName != 0) != enableDuplicateFunctionName;
    const bool splitterChanged = (document.headerIOSettings.HorizontalSizeShared == 1) != synchronizeHorizontalSplitter;
    if (!numberingChanged && !titlesChanged && !namesChanged && !splitterChanged)
        return false;
    options.enableDuplicateFunctionName = enableDuplicateFunctionName ? 1 : 0;
    options.distinguishPrimaryOutlineNumber = distinguishPrimaryOutlineNumber ? 1 : 0;
    options.showOutlineNumberInTabTitle = showOutlineNumberInTabTitle ? 1 : 0;
    if (splitterChanged)
        document.headerIOSettings.HorizontalSizeShared = synchronizeHorizontalSplitter ? 1 : 0;
    if (numberingChanged)
        document.registry.RebuildAndNotify(document.indexRoot, document.GetModelOptions());
    if (numberingChanged || titlesChanged)
        document.registry.UpdateAllFunctionViews(document.indexRoot);
    return true;
}
