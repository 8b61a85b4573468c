#pragma once

#include "settings/SettingsSheetPageModel.h"

// The content column of the tabs: its font.
class CExplanationSettingsPageModel : public CSettingsSheetPageModel {
public:
    explicit CExplanationSettingsPageModel(const CDocumentData& data);
};
