#pragma once

#include "settings/ui/SettingsSheetPage.h"

// The environment-settings page of the outline-number index.
class COutlineNumberOrderdIndexSettingsPage : public CSettingsSheetPage {
    Q_OBJECT
public:
    explicit COutlineNumberOrderdIndexSettingsPage(CSettingsHost& host, QWidget* parent = nullptr);
};
