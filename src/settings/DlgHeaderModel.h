#pragma once

#include "settings/SettingsSheetPageModel.h"

// The unit-function header: the input and output columns beside the logic description, the colours of member and
// state names in them, whether the tabs share their pane sizes, and the titles of the header table's columns.
class CDlgHeaderModel : public CSettingsSheetPageModel {
public:
    explicit CDlgHeaderModel(const CDocumentData& data);

    // True when storing the page shows or hides the input or output column: the open tabs are laid out again.
    bool ChangesLogicColumns(const CDocumentData& data) const;
};
