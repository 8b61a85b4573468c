#include "settings/OutlineNumberOrderdIndexSettingsPageModel.h"

#include "model/DocumentData.h"

COutlineNumberOrderdIndexSettingsPageModel::COutlineNumberOrderdIndexSettingsPageModel(const CDocumentData& data)
    : CSettingsSheetPageModel(Msg::Id::OutlineNumberOrderdTableOfContents) {
    constexpr int index = SettingsChangeIndexViews;
    AddNumber(SwitchField(StringId::SettingShowOutlineNumber, index,
                          NUV_SETTING(environment.showOutlineNumberInOutlineNumberOrderdIndex)));
    AddNumber(SwitchField(Msg::Id::ShowOutlineNumberPrefix, index,
                          NUV_SETTING(environment.showPrefixInOutlineNumberOrderdIndex)));
    AddNumber(SwitchField(Msg::Id::ShowOutlineNumberPostfix, index,
                          NUV_SETTING(environment.showPostfixInOutlineNumberOrderdIndex)));
    AddNumber(
        SwitchField(StringId::SettingShowReuseOutlineNumber, index, NUV_SETTING(indexViewSettings.LexIsDispReuseID)));
    AddNumber(
        SwitchField(StringId::SettingShortenOutlineNumber, index, NUV_SETTING(indexViewSettings.LexIsDispShortenID)));
    AddNumber(SwitchField(StringId::SettingShortenFromFirstPunctuation, index,
                          NUV_SETTING(indexViewSettings.LexIsDispShortenIdFirstPunctuation)));
    AddFont({Msg::Id::Font, SettingsChangeIndexLayout, NUV_SETTING_PLACE(indexViewSettings.LexFont)});
    Load(data);
}
