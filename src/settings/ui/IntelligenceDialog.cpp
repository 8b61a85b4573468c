#include "settings/ui/IntelligenceDialog.h"

#include "logic/RuleDialogChecks.h"
#include "settings/ui/NamedWidget.h"
#include "texts/Msg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

CIntelligenceDialog::CIntelligenceDialog(const CMessageContext& context, CIntraMemberConsistencyRule* rule,
                                         IntraMemberConsistencyRuleList& list, int mode, QWidget* parent)
    : QDialog(parent), m_rule(rule), m_list(list), m_mode(mode) {
    setWindowTitle(Msg::EditAnItem(context));
    CIntraMemberConsistencyRule shown;
    shown.Init();
    if (rule)
        shown = *rule;
    m_if1Member = NamedEdit("if1Member", CIntraMemberConsistencyRule::MaxNameLength, shown.if1Member);
    m_if1Status = NamedEdit("if1Status", CIntraMemberConsistencyRule::MaxNameLength, shown.if1Status);
    m_if2Member = NamedEdit("if2Member", CIntraMemberConsistencyRule::MaxNameLength, shown.if2Member);
    m_if2Status = NamedEdit("if2Status", CIntraMemberConsistencyRule::MaxNameLength, shown.if2Status);
    m_doMember = NamedEdit("doMember", CIntraMemberConsistencyRule::MaxNameLength, shown.doMember);
    m_doStatus = NamedEdit("doStatus", CIntraMemberConsistencyRule::MaxNameLength, shown.doStatus);
    m_useClearance = Named(new QCheckBox(Msg::UseStateClearance(context)), "useClearance");
    m_useClearance->setChecked(shown.doFlag != 0);
    m_doMemberLabel = new QLabel(Msg::MemberName(context));
    m_doStatusLabel = new QLabel(Msg::StateName(context));

    const auto group = [&context](const QString& title, QWidget* memberLabel, QLineEdit* member, QWidget* stateLabel,
                                  QLineEdit* state) {
        auto* box = new QGroupBox(title);
        auto* layout = new QGridLayout(box);
        layout->addWidget(memberLabel ? memberLabel : new QLabel(Msg::MemberName(context)), 0, 0);
        layout->addWidget(member, 0, 1);
        layout->addWidget(stateLabel ? stateLabel : new QLabel(Msg::StateName(context)), 1, 0);
        layout->addWidget(state, 1, 1);
        return box;
    };
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QGridLayout(this);
    layout->addWidget(group(Msg::Assumption1(context), nullptr, m_if1Member, nullptr, m_if1Status), 0, 0);
    layout->addWidget(group(Msg::Assumption2(context), nullptr, m_if2Member, nullptr, m_if2Status), 1, 0);
    layout->addWidget(m_useClearance, 2, 0);
    layout->addWidget(group(Msg::StateClearance(context), m_doMemberLabel, m_doMember, m_doStatusLabel, m_doStatus), 3,
                      0);
    layout->addWidget(buttons, 4, 0);

    UpdateEnabling();
    // The second condition is on the same member: typing the first member writes it there too.
    connect(m_if1Member, &QLineEdit::textChanged, m_if2Member, &QLineEdit::setText);
    connect(m_useClearance, &QCheckBox::clicked, this, &CIntelligenceDialog::UpdateEnabling);
    connect(buttons, &QDialogButtonBox::accepted, this, &CIntelligenceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CIntelligenceDialog::reject);
}

void CIntelligenceDialog::UpdateEnabling() {
    const bool used = m_useClearance->isChecked();
    for (QWidget* widget : {static_cast<QWidget*>(m_doMember), static_cast<QWidget*>(m_doStatus),
                            static_cast<QWidget*>(m_doMemberLabel), static_cast<QWidget*>(m_doStatusLabel)})
        widget->setEnabled(used);
}

void CIntelligenceDialog::accept() {
    CIntraMemberConsistencyRule entered;
    entered.Init();
    entered.doFlag = m_useClearance->isChecked() ? 1 : 0;
    entered.if1Member = m_if1Member->text();
    entered.if1Status = m_if1Status->text();
    entered.if2Member = m_if2Member->text();
    entered.if2Status = m_if2Status->text();
    entered.doMember = m_doMember->text();
    entered.doStatus = m_doStatus->text();
    if (AcceptIntelligenceDialog(entered, m_rule, m_mode, m_list))
        QDialog::accept();
}
