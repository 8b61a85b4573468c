#include "settings/ui/OutlineNumberOrderdIndexSettingsPage.h"

#include "settings/OutlineNumberOrderdIndexSettingsPageModel.h"
#include "settings/ui/SettingsHost.h"

COutlineNumberOrderdIndexSettingsPage::COutlineNumberOrderdIndexSettingsPage(CSettingsHost& host, QWidget* parent)
    : CSettingsSheetPage(host, std::make_unique<COutlineNumberOrderdIndexSettingsPageModel>(host.SettingsDocument()),
                         parent) {}
