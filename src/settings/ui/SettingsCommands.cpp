#include "settings/ui/SettingsCommands.h"

#include "platform/ui/PropertySheet.h"
#include "settings/SettingsSheet.h"
#include "settings/ui/DisplayPage.h"
#include "settings/ui/DlgHeader.h"
#include "settings/ui/DlgIndexView.h"
#include "settings/ui/ExplanationSettingsPage.h"
#include "settings/ui/FAreaDialog.h"
#include "settings/ui/FontPage.h"
#include "settings/ui/FuncAttrPage.h"
#include "settings/ui/FunctionConditionsPage.h"
#include "settings/ui/HierarchicalIndexSettingsPage.h"
#include "settings/ui/MessageSettingsPage.h"
#include "settings/ui/OtherPage.h"
#include "settings/ui/OutlineNumberOrderdIndexSettingsPage.h"
#include "settings/ui/SettingsHost.h"
#include "settings/ui/SplashScreenSettingsPage.h"
#include "settings/ui/StructurePage.h"
#include "settings/ui/SynchronizationSettingsPage.h"
#include "settings/ui/SyntaxSymbolDialog.h"
#include "settings/ui/TemplatePage.h"
#include "texts/Msg.h"

namespace {

// The page shown when the sheet last closed, after OK or Cancel, for as long as the process runs.
int g_nEnvironmentSettingsPage = 0;

using PageFactory = CPropertyPage* (*)(CSettingsHost&);

template <typename Page> CPropertyPage* MakePage(CSettingsHost& host) {
    return new Page(host);
}

// The pages in the order of the navigation list.
constexpr PageFactory kEnvironmentSettingsPages[] = {
    &MakePage<CDlgIndexView>,
    &MakePage<COutlineNumberOrderdIndexSettingsPage>,
    &MakePage<CHierarchicalIndexSettingsPage>,
    &MakePage<CStructurePage>,
    &MakePage<CDisplayPage>,
    &MakePage<CFuncAttrPage>,
    &MakePage<CExplanationSettingsPage>,
    &MakePage<CDlgHeader>,
    &MakePage<CFAreaDialog>,
    &MakePage<CSyntaxSymbolDialog>,
    &MakePage<CFunctionConditionsPage>,
    &MakePage<CSynchronizationSettingsPage>,
    &MakePage<CTemplatePage>,
    &MakePage<CFontPage>,
    &MakePage<CMessageSettingsPage>,
    &MakePage<COtherPage>,
    &MakePage<CSplashScreenSettingsPage>,
};

void RefreshAfterSettings(CSettingsHost& host, const SettingsSheetRefresh& refresh) {
    if (refresh.reapplyIndexSettings)
        host.ReapplyIndexViewSettings();
    if (refresh.tabViews)
        host.RefreshTabViews();
    if (refresh.paneViews)
        host.RefreshPaneViews();
    if (refresh.indexViews)
        host.UpdateIndexViews();
    if (refresh.allViews)
        host.RefreshAllViews();
}

} // namespace

void RunEnvironmentSettingsSheet(CSettingsHost& host) {
    CPropertySheet sheet(Msg::Text(host.MessageContext(), Msg::Id::EnvironmentalSettingsPlural),
                         g_nEnvironmentSettingsPage, host.DialogParent());
    for (PageFactory makePage : kEnvironmentSettingsPages)
        sheet.AddPage(makePage(host));
    if (sheet.exec() != QDialog::Accepted)
        return;
    RefreshAfterSettings(host, RefreshesAfterSettingsSheet(sheet.CombinedChangeBits(), host.HasIndexViews()));
}

void AddSettingsCommands(CCommandRegistry& registry, CSettingsHost& host) {
    registry.Add({CommandEnvironmentSettings, [&host](int) { RunEnvironmentSettingsSheet(host); },
                  CommandRule::DocumentOpen, CommandEnvironmentSettings, "", CommandIcon::None});
}
