#pragma once

#include "model/InconsistencyRule.h"

#include <QDialog>

class CSettingsHost;
class QListWidget;
class QPushButton;
class QTreeWidget;

// The document's semantic relations: added, changed and deleted on a working copy that OK stores.
class CInconsistencyPage : public QDialog {
    Q_OBJECT
public:
    explicit CInconsistencyPage(CSettingsHost& host, QWidget* parent = nullptr);

    void accept() override;

private:
    void ShowSelectedRule();
    void AddRule();
    void DeleteRule();
    void ChangeRule();
    void UpdateEnabling();
    int SelectedRow() const;
    void ClearSelection();

    CSettingsHost& m_host;
    InconsistencyRuleList m_working;
    int m_added = 0; // messages put into the list since the page opened, deletions not subtracted
    bool m_changed = false;
    QListWidget* m_rules;
    QTreeWidget* m_sentences;
    QPushButton* m_delete;
    QPushButton* m_change;
};
