#pragma once

#include "settings/ui/SettingsSheetPage.h"

// The environment-settings page of the hierarchical index.
class CHierarchicalIndexSettingsPage : public CSettingsSheetPage {
    Q_OBJECT
public:
    explicit CHierarchicalIndexSettingsPage(CSettingsHost& host, QWidget* parent = nullptr);
};
