#pragma once

#include "settings/SettingsSheetPageModel.h"

// The structure diagram: boxes, spacing, the zoom it opens with, what a box shows, and its font. The diagram takes
// the stored values itself; the page reports no change bits.
class CStructurePageModel : public CSettingsSheetPageModel {
public:
    explicit CStructurePageModel(const CDocumentData& data);
};
