#include "settings/ui/InconsistencyDialog.h"

#include "logic/RuleDialogChecks.h"
#include "platform/ui/HeaderWidths.h"
#include "platform/ui/SelectedRow.h"
#include "settings/ui/NamedWidget.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

CInconsistencyDialog::CInconsistencyDialog(const CMessageContext& context, CInconsistencyRule* rule,
                                           InconsistencyRuleList& target, QWidget* parent)
    : QDialog(parent), m_rule(rule), m_target(target) {
    setWindowTitle(Msg::EditAnItemEx(context));
    if (rule) {
        const auto sentences = rule->SentencesInUse();
        m_items.assign(sentences.begin(), sentences.end());
    }
    m_view = Named(new QTreeWidget, "sentences");
    m_view->setRootIsDecorated(false);
    m_view->setHeaderLabels({Msg::MemberName(context), Msg::StateName(context)});
    m_view->setColumnWidth(0, 85);
    WidenColumnsToHeaders(*m_view->header());
    m_member = NamedEdit("member", CInconsistencyRule::MaxNameLength);
    m_state = NamedEdit("state", CInconsistencyRule::MaxNameLength);
    m_message = NamedEdit("message", CInconsistencyRule::MaxMessageLength, rule ? rule->message : QString());
    auto* add = Named(new QPushButton(LoadString(StringId::NewItemButton)), "newSentence");
    m_delete = Named(new QPushButton(LoadString(StringId::DeleteItemButton)), "deleteSentence");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(Msg::SemanticRelation(context)), 0, 0, 1, 2);
    layout->addWidget(m_view, 1, 0, 1, 2);
    layout->addWidget(add, 2, 0);
    layout->addWidget(m_delete, 2, 1);
    layout->addWidget(new QLabel(Msg::MemberName(context)), 3, 0);
    layout->addWidget(m_member, 3, 1);
    layout->addWidget(new QLabel(Msg::StateName(context)), 4, 0);
    layout->addWidget(m_state, 4, 1);
    layout->addWidget(new QLabel(Msg::Message(context)), 5, 0);
    layout->addWidget(m_message, 5, 1);
    layout->addWidget(buttons, 6, 0, 1, 2);

    FillView();
    UpdateEnabling();
    // The edits and "削除" belong to the unit sentence the user selected, never to a row that is merely current.
    connect(m_view, &QTreeWidget::itemSelectionChanged, this, &CInconsistencyDialog::ShowSelectedItem);
    connect(m_member, &QLineEdit::textChanged, this, &CInconsistencyDialog::StoreEditedNames);
    connect(m_state, &QLineEdit::textChanged, this, &CInconsistencyDialog::StoreEditedNames);
    connect(add, &QPushButton::clicked, this, &CInconsistencyDialog::AddItem);
    connect(m_delete, &QPushButton::clicked, this, &CInconsistencyDialog::DeleteItem);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInconsistencyDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInconsistencyDialog::reject);
}

void CInconsistencyDialog::FillView() {
    const QSignalBlocker blocker(m_view);
    const int selection = SelectedRow(*m_view);
    m_view->clear();
    for (const CInconsistencyRule::UnitSentence& item : m_items)
        m_view->addTopLevelItem(new QTreeWidgetItem({item.member, item.state}));
    if (QTreeWidgetItem* selected = m_view->topLevelItem(selection)) {
        m_view->setCurrentItem(selected);
        m_view->scrollToItem(selected);
    }
}

void CInconsistencyDialog::ShowSelectedItem() {
    // The edits show the selected unit sentence, and nothing when none is selected (a deleted one included).
    const int row = SelectedRow(*m_view);
    const CInconsistencyRule::UnitSentence shown =
        row >= 0 ? m_items[static_cast<size_t>(row)] : CInconsistencyRule::UnitSentence{};
    const QSignalBlocker blockMember(m_member), blockState(m_state);
    m_member->setText(shown.member);
    m_state->setText(shown.state);
    UpdateEnabling();
}

void CInconsistencyDialog::StoreEditedNames() {
    const int row = SelectedRow(*m_view);
    if (row < 0)
        return;
    m_items[static_cast<size_t>(row)] = {m_member->text(), m_state->text()};
    FillView();
}

void CInconsistencyDialog::AddItem() {
    if (!MayAddUnitSentence(m_items.size()))
        return;
    m_items.push_back({});
    FillView();
    QTreeWidgetItem* last = m_view->topLevelItem(static_cast<int>(m_items.size()) - 1);
    m_view->setCurrentItem(last);
    m_view->scrollToItem(last);
}

void CInconsistencyDialog::DeleteItem() {
    const int row = SelectedRow(*m_view);
    if (row < 0)
        return;
    m_items.erase(m_items.begin() + row);
    FillView();
    ShowSelectedItem();
}

void CInconsistencyDialog::UpdateEnabling() {
    const bool selected = SelectedRow(*m_view) >= 0;
    m_delete->setEnabled(selected);
    m_member->setReadOnly(!selected);
    m_state->setReadOnly(!selected);
}

void CInconsistencyDialog::accept() {
    const size_t count = m_items.size();
    const bool accepted = AcceptInconsistencyDialog(m_items, m_message->text(), m_rule, m_target);
    if (m_items.size() != count) {
        FillView();
        ShowSelectedItem();
    }
    if (accepted)
        QDialog::accept();
}
