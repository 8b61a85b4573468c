#include "settings/ui/QuantifierDialog.h"

#include "model/DocumentData.h"
#include "settings/ui/SettingsHost.h"
#include "settings/ui/VocabularyTable.h"
#include "texts/Msg.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

CQuantifierDialog::CQuantifierDialog(CSettingsHost& host, QWidget* parent)
    : QDialog(parent ? parent : host.DialogParent()), m_host(host) {
    const CMessageContext& context = host.MessageContext();
    setWindowTitle(Msg::Quantifier(context));
    m_table = new CVocabularyTable(
        context,
        {Msg::Quantifier(context), Msg::OppositeQuantifier(context), Msg::Existential(context), Msg::Infix(context)},
        this);
    m_table->SetCheckColumn(ExistentialColumn);
    m_table->SetCheckColumn(InfixColumn);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(520, 360);
    ShowList(CQuantifierList(host.SettingsDocument().quantifiers));
}

void CQuantifierDialog::ShowList(const CQuantifierList& list) {
    m_table->SetRowCount(static_cast<int>(list.Count()));
    for (int row = 0; row < m_table->RowCount(); ++row) {
        const QuantifierEntry& entry = list.EntryAt(static_cast<size_t>(row));
        m_table->SetText(row, QuantifierColumn, entry.quantifier);
        m_table->SetText(row, OppositeColumn, entry.opposite);
        m_table->SetChecked(row, ExistentialColumn, entry.type != 0);
        m_table->SetChecked(row, InfixColumn, entry.infix != 0);
    }
}

CQuantifierSettings CQuantifierDialog::TableEntries() const {
    CQuantifierSettings settings;
    settings.entries.clear();
    for (int row = 0; row < m_table->RowCount(); ++row)
        settings.entries.push_back({m_table->Text(row, QuantifierColumn), m_table->Text(row, OppositeColumn),
                                    m_table->IsChecked(row, ExistentialColumn) ? 1 : 0,
                                    m_table->IsChecked(row, InfixColumn) ? 1 : 0});
    return settings;
}

void CQuantifierDialog::accept() {
    m_table->CommitEdit();
    CQuantifierList list(TableEntries());
    const CMessageContext& context = m_host.MessageContext();
    const VocabularyStore outcome =
        list.Store(m_host.SettingsDocument(), Msg::Quantifier(context), Msg::OppositeQuantifier(context));
    if (!ReportVocabularyStore(outcome, m_host)) {
        ShowList(list);
        return;
    }
    m_stored = outcome == VocabularyStore::Stored;
    QDialog::accept();
}
