#pragma once

#include "settings/ui/SettingsSheetPage.h"

// The environment-settings page of the content column, whose font the tabs take at once.
class CExplanationSettingsPage : public CSettingsSheetPage {
    Q_OBJECT
public:
    explicit CExplanationSettingsPage(CSettingsHost& host, QWidget* parent = nullptr);

private:
    void AfterStoring() override;
};
