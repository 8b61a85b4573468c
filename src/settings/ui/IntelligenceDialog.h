#pragma once

#include "model/IntraMemberConsistencyRule.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
struct CMessageContext;

// One same-member consistency rule: two conditions on one member and an optional state-name initialisation.
// OK overwrites the rule edited, or appends a new rule to the list, and keeps the list sorted.
class CIntelligenceDialog : public QDialog {
    Q_OBJECT
public:
    // Mode 0 from the rule page (`rule` null for a new one); mode 1 for a rule offered by the result pane, which
    // is not in `list` and which the caller stores.
    CIntelligenceDialog(const CMessageContext& context, CIntraMemberConsistencyRule* rule,
                        IntraMemberConsistencyRuleList& list, int mode, QWidget* parent = nullptr);

    void accept() override;

private:
    void UpdateEnabling();

    CIntraMemberConsistencyRule* m_rule;
    IntraMemberConsistencyRuleList& m_list;
    int m_mode;
    QLineEdit* m_if1Member;
    QLineEdit* m_if1Status;
    QLineEdit* m_if2Member;
    QLineEdit* m_if2Status;
    QLineEdit* m_doMember;
    QLineEdit* m_doStatus;
    QCheckBox* m_useClearance;
    QLabel* m_doMemberLabel;
    QLabel* m_doStatusLabel;
};
