#pragma once

#include "settings/ui/SettingsSheetPage.h"

// The environment-settings page of the logic-description column.
class CFAreaDialog : public CSettingsSheetPage {
    Q_OBJECT
public:
    explicit CFAreaDialog(CSettingsHost& host, QWidget* parent = nullptr);
};
