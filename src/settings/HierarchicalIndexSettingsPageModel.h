#pragma once

#include "settings/SettingsSheetPageModel.h"

// The hierarchical index: fonts, zoom, boxes, their spacing, alignment and colours.
class CHierarchicalIndexSettingsPageModel : public CSettingsSheetPageModel {
public:
    explicit CHierarchicalIndexSettingsPageModel(const CDocumentData& data);
};
