#pragma once

#include "settings/ui/SettingsSheetPage.h"

// The environment-settings page of the tabs.
class CDisplayPage : public CSettingsSheetPage {
    Q_OBJECT
public:
    explicit CDisplayPage(CSettingsHost& host, QWidget* parent = nullptr);
};
