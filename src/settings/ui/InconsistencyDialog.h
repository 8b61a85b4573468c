#pragma once

#include "model/InconsistencyRule.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QPushButton;
class QTreeWidget;
struct CMessageContext;

// One semantic relation: its unit sentences (member and state) and its message. OK writes the relation into the
// rule edited, or appends a new one to the target list.
class CInconsistencyDialog : public QDialog {
    Q_OBJECT
public:
    // `rule` null for a new relation.
    CInconsistencyDialog(const CMessageContext& context, CInconsistencyRule* rule, InconsistencyRuleList& target,
                         QWidget* parent = nullptr);

    void accept() override;

private:
    void FillView();
    void ShowSelectedItem();
    void StoreEditedNames();
    void AddItem();
    void DeleteItem();
    void UpdateEnabling();

    CInconsistencyRule* m_rule;
    InconsistencyRuleList& m_target;
    std::vector<CInconsistencyRule::UnitSentence> m_items;
    QTreeWidget* m_view;
    QLineEdit* m_member;
    QLineEdit* m_state;
    QLineEdit* m_message;
    QPushButton* m_delete;
};
