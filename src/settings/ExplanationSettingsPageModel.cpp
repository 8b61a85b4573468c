#include "settings/ExplanationSettingsPageModel.h"

#include "model/DocumentData.h"

CExplanationSettingsPageModel::CExplanationSettingsPageModel(const CDocumentData& data)
    : CSettingsSheetPageModel(StringId::SettingsPageExplanation) {
    AddFont({StringId::SettingFont, 0, NUV_SETTING_PLACE(fonts.ExplanationFont)});
    Load(data);
}
