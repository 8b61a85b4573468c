#pragma once

#include "settings/ui/SettingsSheetPage.h"

// The environment-settings page "単位機能ヘッダー": the input and output columns, their colours, the shared pane sizes
// and the header table's titles.
class CDlgHeader : public CSettingsSheetPage {
    Q_OBJECT
public:
    explicit CDlgHeader(CSettingsHost& host, QWidget* parent = nullptr);

    // Every open tab lays out its logic row again, after the input or output column was shown or hidden here or by
    // an import of environment settings.
    static void RelayoutOpenViews(CSettingsHost& host);

private:
    void BeforeStoring() override;
    void AfterStoring() override;

    bool m_bRelayout = false;
};
