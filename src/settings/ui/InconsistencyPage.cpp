#include "settings/ui/InconsistencyPage.h"

#include "logic/RuleDialogChecks.h"
#include "model/DocumentData.h"
#include "platform/ui/HeaderWidths.h"
#include "platform/ui/SelectedRow.h"
#include "settings/ui/InconsistencyDialog.h"
#include "settings/ui/NamedWidget.h"
#include "settings/ui/SettingsHost.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

CInconsistencyPage::CInconsistencyPage(CSettingsHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
    const CMessageContext& context = host.MessageContext();
    setWindowTitle(Msg::SemanticRelationSettings(context));
    m_rules = Named(new QListWidget, "relations");
    m_sentences = Named(new QTreeWidget, "sentences");
    m_sentences->setRootIsDecorated(false);
    m_sentences->setHeaderLabels({Msg::MemberName(context), Msg::StateName(context)});
    m_sentences->setColumnWidth(0, 140);
    WidenColumnsToHeaders(*m_sentences->header());
    auto* add = Named(new QPushButton(LoadString(StringId::AddRuleButton)), "add");
    m_delete = Named(new QPushButton(LoadString(StringId::DeleteItemButton)), "delete");
    m_change = Named(new QPushButton(LoadString(StringId::ChangeRuleButton)), "change");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* explanation = new QLabel(Msg::InconsistencyRuleExplanation(context));
    explanation->setWordWrap(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(explanation, 0, 0, 1, 3);
    layout->addWidget(new QLabel(Msg::SemanticRelationList(context)), 1, 0);
    layout->addWidget(new QLabel(Msg::SemanticRelation(context)), 1, 1);
    layout->addWidget(m_rules, 2, 0, 4, 1);
    layout->addWidget(m_sentences, 2, 1, 4, 1);
    layout->addWidget(add, 2, 2);
    layout->addWidget(m_delete, 3, 2);
    layout->addWidget(m_change, 4, 2);
    layout->addWidget(buttons, 6, 0, 1, 3);

    for (const auto& rule : host.SettingsDocument().inconsistencyRules) {
        m_working.push_back(std::make_unique<CInconsistencyRule>(*rule));
        m_rules->addItem(rule->message);
        ++m_added;
    }
    UpdateEnabling();
    // "削除" and "変更" act on the relation the user selected, never on a row that is merely current.
    connect(m_rules, &QListWidget::itemSelectionChanged, this, &CInconsistencyPage::ShowSelectedRule);
    connect(add, &QPushButton::clicked, this, &CInconsistencyPage::AddRule);
    connect(m_delete, &QPushButton::clicked, this, &CInconsistencyPage::DeleteRule);
    connect(m_change, &QPushButton::clicked, this, &CInconsistencyPage::ChangeRule);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInconsistencyPage::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInconsistencyPage::reject);
}

int CInconsistencyPage::SelectedRow() const {
    return ::SelectedRow(*m_rules);
}

void CInconsistencyPage::ClearSelection() {
    m_rules->setCurrentRow(-1);
    m_rules->clearSelection();
    m_sentences->clear();
}

void CInconsistencyPage::ShowSelectedRule() {
    m_sentences->clear();
    const int row = SelectedRow();
    if (row >= 0) {
        const CInconsistencyRule& rule = *m_working[static_cast<size_t>(row)];
        for (const CInconsistencyRule::UnitSentence& sentence : rule.SentencesInUse())
            m_sentences->addTopLevelItem(new QTreeWidgetItem({sentence.member, sentence.state}));
    }
    UpdateEnabling();
}

void CInconsistencyPage::UpdateEnabling() {
    const bool selected = SelectedRow() >= 0;
    m_delete->setEnabled(selected);
    m_change->setEnabled(selected);
}

void CInconsistencyPage::AddRule() {
    if (MayAddRule(m_working.size(), m_added)) {
        const size_t count = m_working.size();
        CInconsistencyDialog dialog(m_host.MessageContext(), nullptr, m_working, this);
        if (dialog.exec() == QDialog::Accepted && m_working.size() > count) {
            m_rules->addItem(m_working.back()->message);
            ++m_added;
            ClearSelection();
            m_changed = true;
        }
    }
    UpdateEnabling();
}

void CInconsistencyPage::DeleteRule() {
    const int row = SelectedRow();
    if (row < 0)
        return;
    m_working.erase(m_working.begin() + row);
    delete m_rules->takeItem(row);
    ClearSelection();
    m_changed = true;
    UpdateEnabling();
}

void CInconsistencyPage::ChangeRule() {
    const int row = SelectedRow();
    if (row < 0)
        return;
    CInconsistencyRule& rule = *m_working[static_cast<size_t>(row)];
    CInconsistencyDialog dialog(m_host.MessageContext(), &rule, m_working, this);
    if (dialog.exec() == QDialog::Accepted) {
        m_rules->item(row)->setText(rule.message);
        ClearSelection();
        m_changed = true;
    }
    UpdateEnabling();
}

void CInconsistencyPage::accept() {
    m_host.SettingsDocument().inconsistencyRules = std::move(m_working);
    m_working.clear();
    if (m_changed)
        m_host.SetSettingsDocumentModified();
    QDialog::accept();
}
