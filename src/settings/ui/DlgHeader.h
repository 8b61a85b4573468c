#pragma once

#include "settings/ui/SettingsSheetPage.h"

// The environment-settings page "単位機能ヘッダー": the input and output columns, their colours, the shared pane sizes
// and the header table's titles.
class CDlgHeader : public CSettingsSheetPage {
    Q_OBJECT
public:
    explicit CDlgHeader(CSettingsHost& host, QWidget* parent = nullptr);

private:
    void BeforeStoring() override;
    void AfterStoring() override;

    bool m_bRelayout = false;
};
