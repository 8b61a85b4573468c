#pragma once

#include "settings/ui/SettingsSheetPage.h"

// The environment-settings page of the tabs and of automatic saving.
class CDisplayPage : public CSettingsSheetPage {
    Q_OBJECT
public:
    explicit CDisplayPage(CSettingsHost& host, QWidget* parent = nullptr);

protected:
    void AfterStoring() override;
};
