#pragma once

#include "settings/SettingsSheetPageModel.h"

// The tabs: how many stay open and whether a new unit function opens in one.
class CDisplayPageModel : public CSettingsSheetPageModel {
public:
    explicit CDisplayPageModel(const CDocumentData& data);
};
