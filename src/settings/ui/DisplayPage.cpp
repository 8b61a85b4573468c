#include "settings/ui/DisplayPage.h"

#include "settings/DisplayPageModel.h"
#include "settings/ui/SettingsHost.h"

CDisplayPage::CDisplayPage(CSettingsHost& host, QWidget* parent)
    : CSettingsSheetPage(host, std::make_unique<CDisplayPageModel>(host.SettingsDocument()), parent) {}

void CDisplayPage::AfterStoring() {
    Host().ApplyAutoSaveSetting();
    Host().ApplyTabLimit();
}
