#include "settings/DlgIndexViewModel.h"

#include "model/DocumentData.h"

CDlgIndexViewModel::CDlgIndexViewModel(const CDocumentData& data)
    : CSettingsSheetPageModel(StringId::SettingsPageTableOfContents) {
    constexpr int tabs = SettingsChangeTabViews;
    AddNumber(SwitchField(StringId::SettingShowOutlineNumberInFn, tabs,
                          NUV_SETTING(environment.showOutlineNumberInFnStatement)));
    Load(data);
}
