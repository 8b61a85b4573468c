#pragma once

#include "settings/SettingsSheetPageModel.h"

// The logic-description column: the vertical lines of if statements and their colours, the colours of reused and
// changed lines, and what the column marks.
class CFAreaDialogModel : public CSettingsSheetPageModel {
public:
    explicit CFAreaDialogModel(const CDocumentData& data);
};
