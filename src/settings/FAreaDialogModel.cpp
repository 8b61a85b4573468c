#include "settings/FAreaDialogModel.h"

#include "model/DocumentData.h"

CFAreaDialogModel::CFAreaDialogModel(const CDocumentData& data)
    : CSettingsSheetPageModel(StringId::SettingsPageLogicArea) {
    constexpr int tabs = SettingsChangeTabViews;
    AddNumber(SwitchField(StringId::SettingShowIfLines, tabs, NUV_SETTING(FAreaTable.IfLineDisp)));
    AddNumber(SwitchField(StringId::SettingIfLinesSameColour, tabs, NUV_SETTING(FAreaTable.IfLineSameColor)));
    AddNumber(ColourField(StringId::SettingIfLineColour1, tabs, NUV_SETTING(FAreaTable.IfLineColor1)));
    AddNumber(ColourField(StringId::SettingIfLineColour2, tabs, NUV_SETTING(FAreaTable.IfLineColor2)));
    AddNumber(ColourField(StringId::SettingIfLineColour3, tabs, NUV_SETTING(FAreaTable.IfLineColor3)));
    AddNumber(ColourField(StringId::SettingReuseColour, tabs, NUV_SETTING(FAreaTable.RecycleColor)));
    AddNumber(ColourField(StringId::SettingModifiedColour, tabs, NUV_SETTING(FAreaTable.ModifyColor)));
    AddNumber(SwitchField(StringId::SettingMarkRegisteredMembers, tabs, NUV_SETTING(FAreaTable.IsDispRegisterMember)));
    AddNumber(SwitchField(StringId::SettingMarkRegisteredStates, tabs, NUV_SETTING(FAreaTable.IsDispRegisterStatus)));
    AddNumber(SwitchField(StringId::SettingShowLineNumbers, tabs, NUV_SETTING(FAreaTable.IsDispLineNum)));
    Load(data);
}
