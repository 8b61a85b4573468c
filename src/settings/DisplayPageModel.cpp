#include "settings/DisplayPageModel.h"

#include "model/DocumentData.h"

CDisplayPageModel::CDisplayPageModel(const CDocumentData& data) : CSettingsSheetPageModel(Msg::Id::View) {
    AddNumber(RangeField(Msg::Id::LimitOfTab, 2, DocumentHeader::MaxOpenViews, 0, NUV_SETTING(MaximumNumberOfTabs)));
    AddNumber(SwitchField(StringId::SettingOpenTabOnCreate, 0, NUV_SETTING(environment.openTabWhenCreateFunction)));
    AddNumber(SwitchField(Msg::Id::AutomaticFileSaving, 0, NUV_SETTING(AutoSaveOnOff)));
    AddNumber(
        RangeField(StringId::SettingAutoSaveInterval, 1, LongestAutoSaveInterval, 0, NUV_SETTING(AutoSaveInterval)));
    Load(data);
}
