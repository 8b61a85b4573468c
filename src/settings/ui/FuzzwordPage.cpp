#include "settings/ui/FuzzwordPage.h"

#include "model/DocumentData.h"
#include "settings/FuzzwordList.h"
#include "settings/ui/SettingsHost.h"
#include "settings/ui/VocabularyTable.h"
#include "texts/Msg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QVBoxLayout>

CFuzzwordPage::CFuzzwordPage(CSettingsHost& host, QWidget* parent)
    : QDialog(parent ? parent : host.DialogParent()), m_host(host) {
    const CMessageContext& context = host.MessageContext();
    setWindowTitle(Msg::DetectObscureWords(context));
    m_table = new CVocabularyTable(context, {Msg::ObscureWord(context)}, this);
    auto* target = new QGroupBox(Msg::Target(context), this);
    m_function = new QCheckBox(Msg::Explanation(context), target);
    m_logic = new QCheckBox(Msg::Logic(context), target);
    auto* targetLayout = new QVBoxLayout(target);
    targetLayout->addWidget(m_function);
    targetLayout->addWidget(m_logic);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(target);
    layout->addWidget(buttons);
    resize(360, 420);
    ShowList(CFuzzwordList(host.SettingsDocument().fuzzwords));
}

void CFuzzwordPage::ShowList(const CFuzzwordList& list) {
    const QStringList words = list.Words();
    m_table->SetRowCount(static_cast<int>(words.size()));
    for (int row = 0; row < m_table->RowCount(); ++row)
        m_table->SetText(row, 0, words[row]);
    m_function->setChecked(list.searchFunctionContent);
    m_logic->setChecked(list.searchLogic);
}

void CFuzzwordPage::accept() {
    m_table->CommitEdit();
    CFuzzwordList list(m_host.SettingsDocument().fuzzwords);
    QStringList words;
    for (int row = 0; row < m_table->RowCount(); ++row)
        words << m_table->Text(row, 0);
    list.SetWords(words);
    list.searchFunctionContent = m_function->isChecked();
    list.searchLogic = m_logic->isChecked();
    const VocabularyStore outcome = list.Store(m_host.SettingsDocument(), Msg::ObscureWord(m_host.MessageContext()));
    if (!ReportVocabularyStore(outcome, m_host)) {
        ShowList(list);
        return;
    }
    QDialog::accept();
}
