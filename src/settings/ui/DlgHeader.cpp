#include "settings/ui/DlgHeader.h"

#include "settings/DlgHeaderModel.h"
#include "settings/ui/SettingsHost.h"

CDlgHeader::CDlgHeader(CSettingsHost& host, QWidget* parent)
    : CSettingsSheetPage(host, std::make_unique<CDlgHeaderModel>(host.SettingsDocument()), parent) {}

void CDlgHeader::BeforeStoring() {
    m_bRelayout = static_cast<CDlgHeaderModel&>(Model()).ChangesLogicColumns(Host().SettingsDocument());
}

void CDlgHeader::AfterStoring() {
    if (m_bRelayout)
        Host().RelayoutOpenTabs();
}
