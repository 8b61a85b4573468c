#include "settings/DlgHeaderModel.h"

#include "model/DocumentData.h"
#include "model/StandardColours.h"

namespace {
// The page's first two numbers.
constexpr size_t InputField = 0;
constexpr size_t OutputField = 1;
} // namespace

CDlgHeaderModel::CDlgHeaderModel(const CDocumentData& data) : CSettingsSheetPageModel(StringId::SettingsPageHeader) {
    constexpr int tabs = SettingsChangeTabViews;
    AddNumber(SwitchField(Msg::Id::ShowAntecedentUI, tabs, NUV_SETTING(headerIOSettings.Input)));
    AddNumber(SwitchField(Msg::Id::ShowConsequentUI, tabs, NUV_SETTING(headerIOSettings.Output)));
    // Each colour is kept as its number and as the colour itself.
    AddNumber(ColourField(
        Msg::Id::MemberNameColor, tabs, [](const CDocumentData& d) { return int(d.headerIOSettings.ColorNo1); },
        [](CDocumentData& d, int colour) {
            d.headerIOSettings.ColorNo1 = quint8(colour);
            d.headerIOSettings.Color1 = kStandardColours[colour];
        }));
    AddNumber(ColourField(
        Msg::Id::StateNameColor, tabs, [](const CDocumentData& d) { return int(d.headerIOSettings.ColorNo2); },
        [](CDocumentData& d, int colour) {
            d.headerIOSettings.ColorNo2 = quint8(colour);
            d.headerIOSettings.Color2 = kStandardColours[colour];
        }));
    // The row heights shared by every tab are the page "その他"'s.
    AddNumber(
        SwitchField(Msg::Id::SynchronizeVerticalSplitter, tabs, NUV_SETTING(headerIOSettings.VerticalSizeShared)));
    AddText({StringId::SettingIDTitle, CTitleTable::MaxIDTitle, tabs, NUV_SETTING_PLACE(TitleTable.IDTitle)});
    AddText({StringId::SettingFuncNameTitle, CTitleTable::MaxFuncNameTitle, tabs,
             NUV_SETTING_PLACE(TitleTable.FuncNameTitle)});
    AddText({StringId::SettingFuncTitle, CTitleTable::MaxFuncTitle, tabs, NUV_SETTING_PLACE(TitleTable.FuncTitle)});
    AddText({StringId::SettingSignTitle, CTitleTable::MaxSignTitle, tabs, NUV_SETTING_PLACE(TitleTable.SignTitle)});
    AddText({StringId::SettingChildTitle, CTitleTable::MaxChildTitle, tabs, NUV_SETTING_PLACE(TitleTable.ChildTitle)});
    AddText({StringId::SettingWorkTitle, CTitleTable::MaxWorkTitle, tabs, NUV_SETTING_PLACE(TitleTable.WorkTitle)});
    AddText({StringId::SettingTotalTitle, CTitleTable::MaxTotalTitle, tabs, NUV_SETTING_PLACE(TitleTable.TotalTitle)});
    Load(data);
}

bool CDlgHeaderModel::ChangesLogicColumns(const CDocumentData& data) const {
    return Number(InputField) != data.headerIOSettings.Input || Number(OutputField) != data.headerIOSettings.Output;
}
