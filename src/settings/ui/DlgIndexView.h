#pragma once

#include "settings/ui/SettingsSheetPage.h"

// The environment-settings page of what both tables of contents share.
class CDlgIndexView : public CSettingsSheetPage {
    Q_OBJECT
public:
    explicit CDlgIndexView(CSettingsHost& host, QWidget* parent = nullptr);
};
