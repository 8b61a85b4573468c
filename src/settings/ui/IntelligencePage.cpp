#include "settings/ui/IntelligencePage.h"

#include "logic/RuleDialogChecks.h"
#include "model/DocumentData.h"
#include "platform/ui/HeaderWidths.h"
#include "platform/ui/SelectedRow.h"
#include "settings/ui/IntelligenceDialog.h"
#include "settings/ui/NamedWidget.h"
#include "settings/ui/SettingsHost.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

CIntelligencePage::CIntelligencePage(CSettingsHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
    const CMessageContext& context = host.MessageContext();
    setWindowTitle(Msg::IntraMemberConsistencySettingsPlural(context));
    m_view = Named(new QTreeWidget, "rules");
    m_view->setRootIsDecorated(false);
    m_view->setHeaderLabels({Msg::Assumption1MemberName(context), Msg::Assumption1StateName(context),
                             Msg::Assumption2MemberName(context), Msg::Assumption2StateName(context),
                             Msg::MemberNameStateClearance(context), Msg::StateClearanceStateName(context)});
    for (int column = 0; column < 6; ++column)
        m_view->setColumnWidth(column, 85);
    WidenColumnsToHeaders(*m_view->header());
    auto* add = Named(new QPushButton(LoadString(StringId::AddRuleButton)), "add");
    m_delete = Named(new QPushButton(LoadString(StringId::DeleteItemButton)), "delete");
    m_change = Named(new QPushButton(LoadString(StringId::ChangeRuleButton)), "change");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* explanation = new QLabel(Msg::NonInconsistentCombinationsExplanation(context));
    explanation->setWordWrap(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(explanation, 0, 0, 1, 2);
    layout->addWidget(m_view, 1, 0, 4, 1);
    layout->addWidget(add, 1, 1);
    layout->addWidget(m_delete, 2, 1);
    layout->addWidget(m_change, 3, 1);
    layout->addWidget(buttons, 5, 0, 1, 2);
    resize(680, 360);

    for (const auto& rule : host.SettingsDocument().intraMemberConsistencyRules)
        m_working.push_back(std::make_unique<CIntraMemberConsistencyRule>(*rule));
    FillView();
    // "削除" and "変更" act on the rule the user selected, never on a row that is merely current.
    connect(m_view, &QTreeWidget::itemSelectionChanged, this, &CIntelligencePage::UpdateEnabling);
    connect(add, &QPushButton::clicked, this, &CIntelligencePage::AddRule);
    connect(m_delete, &QPushButton::clicked, this, &CIntelligencePage::DeleteRule);
    connect(m_change, &QPushButton::clicked, this, &CIntelligencePage::ChangeRule);
    connect(buttons, &QDialogButtonBox::accepted, this, &CIntelligencePage::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CIntelligencePage::reject);
}

void CIntelligencePage::FillView() {
    m_view->clear();
    for (const auto& rule : m_working) {
        const bool used = rule->doFlag != 0;
        m_view->addTopLevelItem(
            new QTreeWidgetItem({rule->if1Member, rule->if1Status, rule->if2Member, rule->if2Status,
                                 used ? rule->doMember : QString(), used ? rule->doStatus : QString()}));
    }
    UpdateEnabling();
}

void CIntelligencePage::UpdateEnabling() {
    const bool selected = SelectedRow(*m_view) >= 0;
    m_delete->setEnabled(selected);
    m_change->setEnabled(selected);
}

void CIntelligencePage::AddRule() {
    if (!MayAddRule(m_working.size()))
        return;
    CIntelligenceDialog dialog(m_host.MessageContext(), nullptr, m_working, 0, this);
    if (dialog.exec() == QDialog::Accepted) {
        FillView();
        m_changed = true;
    }
}

void CIntelligencePage::DeleteRule() {
    const int row = SelectedRow(*m_view);
    if (row < 0)
        return;
    m_working.erase(m_working.begin() + row);
    FillView();
    m_changed = true;
}

void CIntelligencePage::ChangeRule() {
    const int row = SelectedRow(*m_view);
    if (row < 0)
        return;
    CIntelligenceDialog dialog(m_host.MessageContext(), m_working[static_cast<size_t>(row)].get(), m_working, 0, this);
    if (dialog.exec() == QDialog::Accepted) {
        FillView();
        m_changed = true;
    }
}

void CIntelligencePage::accept() {
    m_host.SettingsDocument().intraMemberConsistencyRules = std::move(m_working);
    m_working.clear();
    if (m_changed)
        m_host.SetSettingsDocumentModified();
    QDialog::accept();
}
