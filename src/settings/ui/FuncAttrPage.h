#pragma once

#include "platform/ui/PropertySheet.h"
#include "settings/FuncAttrPageModel.h"

class CSettingsHost;
class QGroupBox;
class QTableWidget;
struct CMessageContext;

// The environment-settings page of the function attributes: a table of symbols and names with Add and Delete, and
// the three man-hour factors in number boxes.
class CFuncAttrPage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CFuncAttrPage(CSettingsHost& host, QWidget* parent = nullptr);

    bool Validate() override;
    void Apply() override;

    QTableWidget* Table() const { return m_table; }

private:
    QGroupBox* MakeFactorsBox(const CMessageContext& context);
    void FillTable();
    void OnCellChanged(int row, int column);

    CSettingsHost& m_host;
    CFuncAttrPageModel m_model;
    QTableWidget* m_table;
};
