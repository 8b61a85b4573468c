#pragma once

#include "settings/SettingsSheetPageModel.h"

// The outline-number index: its font and what each of its lines shows.
class COutlineNumberOrderdIndexSettingsPageModel : public CSettingsSheetPageModel {
public:
    explicit COutlineNumberOrderdIndexSettingsPageModel(const CDocumentData& data);
};
