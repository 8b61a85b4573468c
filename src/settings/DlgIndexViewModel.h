#pragma once

#include "settings/SettingsSheetPageModel.h"

// The settings both tables of contents share: where outline numbers are shown besides the indexes.
class CDlgIndexViewModel : public CSettingsSheetPageModel {
public:
    explicit CDlgIndexViewModel(const CDocumentData& data);
};
