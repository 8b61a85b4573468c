#include "settings/DisplayPageModel.h"

#include "model/DocumentData.h"

CDisplayPageModel::CDisplayPageModel(const CDocumentData& data)
    : CSettingsSheetPageModel(StringId::SettingsPageDisplay) {
    AddNumber(
        RangeField(StringId::SettingMaximumTabs, 2, DocumentHeader::MaxOpenViews, 0, NUV_SETTING(MaximumNumberOfTabs)));
    AddNumber(SwitchField(StringId::SettingOpenTabOnCreate, 0, NUV_SETTING(environment.openTabWhenCreateFunction)));
    AddNumber(SwitchField(StringId::SettingAutoSave, 0, NUV_SETTING(AutoSaveOnOff)));
    AddNumber(
        RangeField(StringId::SettingAutoSaveInterval, 1, LongestAutoSaveInterval, 0, NUV_SETTING(AutoSaveInterval)));
    Load(data);
}
