#include "settings/ui/StructurePage.h"

#include "settings/StructurePageModel.h"
#include "settings/ui/SettingsHost.h"

CStructurePage::CStructurePage(CSettingsHost& host, QWidget* parent)
    : CSettingsSheetPage(host, std::make_unique<CStructurePageModel>(host.SettingsDocument()), parent) {}

void CStructurePage::AfterStoring() {
    Host().ApplyStructureDiagramSettings();
}
