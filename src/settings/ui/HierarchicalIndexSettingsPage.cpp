#include "settings/ui/HierarchicalIndexSettingsPage.h"

#include "settings/HierarchicalIndexSettingsPageModel.h"
#include "settings/ui/SettingsHost.h"

CHierarchicalIndexSettingsPage::CHierarchicalIndexSettingsPage(CSettingsHost& host, QWidget* parent)
    : CSettingsSheetPage(host, std::make_unique<CHierarchicalIndexSettingsPageModel>(host.SettingsDocument()), parent) {
}
