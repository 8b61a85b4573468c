#include "settings/ExplanationSettingsPageModel.h"

#include "model/DocumentData.h"

CExplanationSettingsPageModel::CExplanationSettingsPageModel(const CDocumentData& data)
    : CSettingsSheetPageModel(Msg::Id::ExplanationUI) {
    AddFont({Msg::Id::Font, 0, NUV_SETTING_PLACE(fonts.ExplanationFont)});
    Load(data);
}
