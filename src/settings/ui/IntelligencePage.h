#pragma once

#include "model/IntraMemberConsistencyRule.h"

#include <QDialog>

class CSettingsHost;
class QPushButton;
class QTreeWidget;

// The document's same-member consistency rules: added, changed and deleted on a working copy that OK stores.
class CIntelligencePage : public QDialog {
    Q_OBJECT
public:
    explicit CIntelligencePage(CSettingsHost& host, QWidget* parent = nullptr);

    void accept() override;

private:
    void FillView();
    void AddRule();
    void DeleteRule();
    void ChangeRule();
    void UpdateEnabling();

    CSettingsHost& m_host;
    IntraMemberConsistencyRuleList m_working;
    bool m_changed = false;
    QTreeWidget* m_view;
    QPushButton* m_delete;
    QPushButton* m_change;
};
