#include "settings/ui/MemberDlg.h"

#include "model/DocumentData.h"
#include "settings/MemberNameList.h"
#include "settings/ui/SettingsHost.h"
#include "settings/ui/VocabularyTable.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QDialogButtonBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// A member row keeps its states in its name cell, so that they go with the row when it is deleted.
constexpr int StateNamesRole = Qt::UserRole;
constexpr int StateExplanationsRole = Qt::UserRole + 1;

} // namespace

CMemberDlg::CMemberDlg(CSettingsHost& host, QWidget* parent)
    : QDialog(parent ? parent : host.DialogParent()), m_host(host) {
    const CMessageContext& context = host.MessageContext();
    setWindowTitle(Msg::RegisterMemberNameAndStateName(context));
    const QString explanation = Msg::Explanation(context);
    m_memberTable = new CVocabularyTable(context, {Msg::MemberName(context), explanation}, this);
    m_stateTable = new CVocabularyTable(context, {Msg::StateName(context), explanation}, this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memberTable, 3);
    layout->addWidget(m_stateTable, 2);
    layout->addWidget(buttons);
    resize(560, 520);
    connect(m_memberTable->Table(), &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!m_shownMember.isValid() || m_shownMember.row() != row)
            ShowStatesOf(row);
    });
    ShowMembers(host.SettingsDocument().memberDefinitions);
}

void CMemberDlg::ShowMembers(const MemberDefinitionList& members) {
    m_shownMember = QPersistentModelIndex();
    m_memberTable->SetRowCount(static_cast<int>(members.size()));
    for (int row = 0; row < m_memberTable->RowCount(); ++row) {
        const CMemberDefinition& member = members[static_cast<size_t>(row)];
        m_memberTable->SetText(row, NameColumn, member.name);
        m_memberTable->SetText(row, ExplanationColumn, member.explanation);
        QStringList names;
        QStringList explanations;
        for (const CStateDefinition& state : member.states) {
            names << state.name;
            explanations << state.explanation;
        }
        QTableWidgetItem* item = m_memberTable->Table()->item(row, NameColumn);
        item->setData(StateNamesRole, names);
        item->setData(StateExplanationsRole, explanations);
    }
    const int current = members.empty() ? -1 : 0;
    m_memberTable->Table()->setCurrentCell(current, NameColumn);
    ShowStatesOf(current);
}

void CMemberDlg::KeepShownStates() {
    if (!m_shownMember.isValid())
        return;
    m_stateTable->CommitEdit();
    QStringList names;
    QStringList explanations;
    for (int row = 0; row < m_stateTable->RowCount(); ++row) {
        names << m_stateTable->Text(row, NameColumn);
        explanations << m_stateTable->Text(row, ExplanationColumn);
    }
    QTableWidgetItem* item = m_memberTable->Table()->item(m_shownMember.row(), NameColumn);
    item->setData(StateNamesRole, names);
    item->setData(StateExplanationsRole, explanations);
}

void CMemberDlg::ShowStatesOf(int row) {
    KeepShownStates();
    const QTableWidgetItem* item = row >= 0 ? m_memberTable->Table()->item(row, NameColumn) : nullptr;
    m_shownMember =
        item ? QPersistentModelIndex(m_memberTable->Table()->model()->index(row, NameColumn)) : QPersistentModelIndex();
    const QStringList names = item ? item->data(StateNamesRole).toStringList() : QStringList();
    const QStringList explanations = item ? item->data(StateExplanationsRole).toStringList() : QStringList();
    m_stateTable->SetRowCount(static_cast<int>(names.size()));
    for (int state = 0; state < m_stateTable->RowCount(); ++state) {
        m_stateTable->SetText(state, NameColumn, names[state]);
        m_stateTable->SetText(state, ExplanationColumn, explanations.value(state));
    }
    m_stateTable->setEnabled(item != nullptr);
}

MemberDefinitionList CMemberDlg::TableMembers() {
    m_memberTable->CommitEdit();
    KeepShownStates();
    MemberDefinitionList members;
    for (int row = 0; row < m_memberTable->RowCount(); ++row) {
        CMemberDefinition& member = members.emplace_back();
        member.name = m_memberTable->Text(row, NameColumn);
        member.explanation = m_memberTable->Text(row, ExplanationColumn);
        const QTableWidgetItem* item = m_memberTable->Table()->item(row, NameColumn);
        const QStringList names = item->data(StateNamesRole).toStringList();
        const QStringList explanations = item->data(StateExplanationsRole).toStringList();
        for (qsizetype state = 0; state < names.size(); ++state)
            member.states.push_back({names[state], explanations.value(state)});
    }
    return members;
}

void CMemberDlg::accept() {
    CMemberNameList list(TableMembers());
    const CMessageContext& context = m_host.MessageContext();
    const VocabularyStore outcome =
        list.Store(m_host.SettingsDocument(), Msg::MemberName(context), Msg::StateName(context));
    if (!ReportVocabularyStore(outcome, m_host)) {
        ShowMembers(list.members);
        return;
    }
    m_stored = outcome == VocabularyStore::Stored;
    QDialog::accept();
}
