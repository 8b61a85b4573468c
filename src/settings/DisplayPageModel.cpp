#include "settings/DisplayPageModel.h"

#include "model/DocumentData.h"

CDisplayPageModel::CDisplayPageModel(const CDocumentData& data)
    : CSettingsSheetPageModel(StringId::SettingsPageDisplay) {
    AddNumber(
        RangeField(StringId::SettingMaximumTabs, 2, DocumentHeader::MaxOpenViews, 0, NUV_SETTING(MaximumNumberOfTabs)));
    AddNumber(SwitchField(StringId::SettingOpenTabOnCreate, 0, NUV_SETTING(environment.openTabWhenCreateFunction)));
    Load(data);
}
