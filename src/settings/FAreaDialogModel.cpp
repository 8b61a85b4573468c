#include "settings/FAreaDialogModel.h"

#include "model/DocumentData.h"

CFAreaDialogModel::CFAreaDialogModel(const CDocumentData& data) : CSettingsSheetPageModel(Msg::Id::LogicUI) {
    constexpr int tabs = SettingsChangeTabViews;
    AddNumber(SwitchField(Msg::Id::ShowIndentLines, tabs, NUV_SETTING(FAreaTable.IfLineDisp)));
    AddNumber(SwitchField(Msg::Id::SameColor, tabs, NUV_SETTING(FAreaTable.IfLineSameColor)));
    AddNumber(ColourField(Msg::Id::LineColor1, tabs, NUV_SETTING(FAreaTable.IfLineColor1)));
    AddNumber(ColourField(Msg::Id::LineColor2, tabs, NUV_SETTING(FAreaTable.IfLineColor2)));
    AddNumber(ColourField(Msg::Id::LineColor3, tabs, NUV_SETTING(FAreaTable.IfLineColor3)));
    AddNumber(ColourField(StringId::SettingReuseColour, tabs, NUV_SETTING(FAreaTable.RecycleColor)));
    AddNumber(ColourField(StringId::SettingModifiedColour, tabs, NUV_SETTING(FAreaTable.ModifyColor)));
    AddNumber(SwitchField(StringId::SettingMarkRegisteredMembers, tabs, NUV_SETTING(FAreaTable.IsDispRegisterMember)));
    AddNumber(SwitchField(StringId::SettingMarkRegisteredStates, tabs, NUV_SETTING(FAreaTable.IsDispRegisterStatus)));
    AddNumber(SwitchField(StringId::SettingShowLineNumbers, tabs, NUV_SETTING(FAreaTable.IsDispLineNum)));
    Load(data);
}
