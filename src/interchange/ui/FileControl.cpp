#include "interchange/ui/FileControl.h"

#include "interchange/VersionManager.h"
#include "interchange/ui/VersionCommands.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "platform/ui/HeaderWidths.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CFileControl::CFileControl(CVersionCommandHost& host, QWidget* parent)
    : QDialog(parent), m_host(host), m_list(new QTableWidget(this)),
      m_save(new QPushButton(LoadString(StringId::SaveNewVersionButton), this)),
      m_remove(new QPushButton(Msg::Delete(host.MessageContext()), this)),
      m_open(new QPushButton(Msg::OpenCommand(host.MessageContext()), this)), m_autoVersion(new QCheckBox(this)),
      m_updateMajor(new QCheckBox(this)), m_updateMinor(new QCheckBox(this)) {
    const CMessageContext& context = host.MessageContext();
    setWindowTitle(Msg::Text(context, Msg::Id::VersionMainMenu));
    m_list->setColumnCount(4);
    m_list->setHorizontalHeaderLabels(
        {Msg::VersionAbstract(context), Msg::Date(context), Msg::Author(context), Msg::Comment(context)});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab moves on to the options below; the arrow keys choose a version.
    m_list->setTabKeyNavigation(false);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    WidenColumnsToHeaders(*m_list->horizontalHeader());

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_save, QDialogButtonBox::ActionRole);
    buttons->addButton(m_open, QDialogButtonBox::ActionRole);
    buttons->addButton(m_remove, QDialogButtonBox::ActionRole);
    buttons->addButton(Msg::Close(context), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_save, &QPushButton::clicked, this, &CFileControl::OnSave);
    connect(m_remove, &QPushButton::clicked, this, &CFileControl::OnRemove);
    connect(m_open, &QPushButton::clicked, this, &CFileControl::OnOpen);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, &CFileControl::UpdateButtons);

    const VersionControlSettings& options = host.VersionedDocument().VersionControlTable;
    m_autoVersion->setText(Msg::Text(context, Msg::Id::SaveAsAVersionMainMenuVersionOfNuvDocument));
    m_autoVersion->setChecked(options.IsAutoVersion != 0);
    m_updateMajor->setText(Msg::Text(context, Msg::Id::IncrementMajorNumber));
    m_updateMajor->setChecked(options.IsUpdateMajor != 0);
    m_updateMinor->setText(Msg::Text(context, Msg::Id::IncrementMinorNumber));
    m_updateMinor->setChecked(options.IsUpdateMinor != 0);
    auto* numbers = new QGroupBox(Msg::Text(context, Msg::Id::VersionOfNuvDocumentNumbers), this);
    auto* numbersLayout = new QVBoxLayout(numbers);
    numbersLayout->addWidget(m_updateMajor);
    numbersLayout->addWidget(m_updateMinor);
    for (QCheckBox* box : {m_autoVersion, m_updateMajor, m_updateMinor})
        connect(box, &QCheckBox::toggled, this, &CFileControl::OnOptionToggled);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Msg::Text(context, Msg::Id::SaveAsNewVersionExplanation), this));
    layout->addWidget(new QLabel(Msg::Text(context, Msg::Id::SavedVersionOfNuvDocumentVersionAbstract), this));
    layout->addWidget(m_list);
    layout->addWidget(m_autoVersion);
    layout->addWidget(numbers);
    layout->addWidget(buttons);
    resize(560, 320);
    FillList();
}

void CFileControl::FillList() {
    const std::vector<QStringList> rows = CVersionManager::Rows(m_host.VersionedDocument());
    m_list->clearContents();
    m_list->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        for (int column = 0; column < rows[row].size(); ++column)
            m_list->setItem(row, column, new QTableWidgetItem(rows[row][column]));
    }
    m_list->clearSelection();
    UpdateButtons();
}

void CFileControl::UpdateButtons() {
    const bool selected = m_list->currentRow() >= 0 && !m_list->selectedItems().isEmpty();
    m_remove->setEnabled(selected);
    m_open->setEnabled(selected &&
                       CVersionManager::OpenableVersion(m_host.VersionedDocument(), m_host.VersionedDocumentPath(),
                                                        m_list->currentRow()));
}

void CFileControl::OnOpen() {
    const std::optional<int> number = CVersionManager::OpenableVersion(
        m_host.VersionedDocument(), m_host.VersionedDocumentPath(), m_list->currentRow());
    if (number)
        m_host.OpenStoredVersion(*number);
}

void CFileControl::OnOptionToggled() {
    const VersionControlSettings options{m_autoVersion->isChecked() ? 1 : 0, m_updateMajor->isChecked() ? 1 : 0,
                                         m_updateMinor->isChecked() ? 1 : 0};
    if (CVersionManager::SetVersionOptions(m_host.VersionedDocument(), options))
        m_host.SetVersionedDocumentModified();
}

void CFileControl::OnSave() {
    // The host refuses a version that may not be stored before its version dialog shows.
    if (m_host.SaveNewVersion())
        FillList();
}

void CFileControl::OnRemove() {
    const int row = m_list->currentRow();
    const QTableWidgetItem* label = row >= 0 ? m_list->item(row, 0) : nullptr;
    if (!label)
        return;
    platform::MessageRequest question;
    question.text = LoadString(StringId::RemoveVersionQuestion).arg(label->text().trimmed());
    question.buttons = platform::MessageButtons::YesNo;
    question.icon = platform::MessageIcon::Warning;
    question.defaultButton = 1;
    if (platform::ShowMessageBox(question) != platform::MessageAnswer::Yes)
        return;
    if (CVersionManager::Remove(m_host.VersionedDocument(), row))
        m_host.SetVersionedDocumentModified();
    FillList();
}
