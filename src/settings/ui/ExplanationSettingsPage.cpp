#include "settings/ui/ExplanationSettingsPage.h"

#include "settings/ExplanationSettingsPageModel.h"
#include "settings/ui/SettingsHost.h"

CExplanationSettingsPage::CExplanationSettingsPage(CSettingsHost& host, QWidget* parent)
    : CSettingsSheetPage(host, std::make_unique<CExplanationSettingsPageModel>(host.SettingsDocument()), parent) {}

void CExplanationSettingsPage::AfterStoring() {
    Host().RefreshTabViews();
}
