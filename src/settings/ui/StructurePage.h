#pragma once

#include "settings/ui/SettingsSheetPage.h"

// The environment-settings page of the structure diagram, which takes a stored change at once.
class CStructurePage : public CSettingsSheetPage {
    Q_OBJECT
public:
    explicit CStructurePage(CSettingsHost& host, QWidget* parent = nullptr);

private:
    void AfterStoring() override;
};
