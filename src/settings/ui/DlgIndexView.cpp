#include "settings/ui/DlgIndexView.h"

#include "settings/DlgIndexViewModel.h"
#include "settings/ui/SettingsHost.h"

CDlgIndexView::CDlgIndexView(CSettingsHost& host, QWidget* parent)
    : CSettingsSheetPage(host, std::make_unique<CDlgIndexViewModel>(host.SettingsDocument()), parent) {}
