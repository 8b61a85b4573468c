#include "settings/ui/FAreaDialog.h"

#include "settings/FAreaDialogModel.h"
#include "settings/ui/SettingsHost.h"

CFAreaDialog::CFAreaDialog(CSettingsHost& host, QWidget* parent)
    : CSettingsSheetPage(host, std::make_unique<CFAreaDialogModel>(host.SettingsDocument()), parent) {}
