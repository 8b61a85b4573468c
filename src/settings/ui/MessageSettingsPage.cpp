#include "settings/ui/MessageSettingsPage.h"

#include "platform/ui/HeaderWidths.h"
#include "platform/ui/SelectedRow.h"
#include "settings/ui/NamedWidget.h"
#include "settings/ui/SettingsHost.h"
#include "texts/SettingsWordingStore.h"
#include "texts/StringTable.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

CMessageSettingsPage::CMessageSettingsPage(CSettingsHost& host, QWidget* parent)
    : CPropertyPage(LoadString(host.MessageContext(), StringId::MessagesTitleJa, StringId::MessagesTitleEn), parent),
      m_editor(host.MessageContext()) {
    m_list = Named(new QTreeWidget, "messages");
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setSectionsClickable(false);
    QStringList titles;
    for (int column = 0; column < CMessageSettingsEditor::ColumnCount; ++column)
        titles << m_editor.ColumnTitle(column);
    m_list->setHeaderLabels(titles);
    const int widths[] = {60, 120, 120, 120, 80};
    for (int column = 0; column < CMessageSettingsEditor::ColumnCount; ++column)
        m_list->setColumnWidth(column, widths[column]);
    WidenColumnsToHeaders(*m_list->header());
    m_japanese = Named(new QLineEdit, "japanese");
    m_singular = Named(new QLineEdit, "singular");
    m_plural = Named(new QLineEdit, "plural");
    QPushButton* restore = Named(new QPushButton(LoadString(StringId::DefaultButton)), "default");
    QPushButton* restoreAll = Named(new QPushButton(LoadString(StringId::AllDefaultButton)), "allDefault");
    QPushButton* import = Named(new QPushButton(LoadString(StringId::ImportButton)), "import");
    QPushButton* exportButton = Named(new QPushButton(LoadString(StringId::ExportButton)), "export");

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(LoadString(StringId::MessagesPageExplanation)), 0, 0, 1, 3);
    layout->addWidget(m_list, 1, 0, 9, 1);
    const std::pair<int, QLineEdit*> edits[] = {{CMessageSettingsEditor::JapaneseColumn, m_japanese},
                                                {CMessageSettingsEditor::SingularColumn, m_singular},
                                                {CMessageSettingsEditor::PluralColumn, m_plural}};
    int row = 1;
    for (const auto& [column, edit] : edits) {
        layout->addWidget(new QLabel(m_editor.ColumnTitle(column)), row++, 1, 1, 2);
        layout->addWidget(edit, row++, 1, 1, 2);
    }
    layout->addWidget(restore, row, 1);
    layout->addWidget(restoreAll, row++, 2);
    layout->addWidget(import, row, 1);
    layout->addWidget(exportButton, row++, 2);
    layout->setRowStretch(row, 1);
    layout->setColumnStretch(0, 1);

    FillList();
    // A click makes a row current before it is selected: only the selection says which row the edits belong to.
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CMessageSettingsPage::ShowSelectedEntry);
    for (QLineEdit* edit : {m_japanese, m_singular, m_plural})
        connect(edit, &QLineEdit::textChanged, this, &CMessageSettingsPage::AbstractOnChange);
    connect(restore, &QPushButton::clicked, this, &CMessageSettingsPage::OnDefault);
    connect(restoreAll, &QPushButton::clicked, this, &CMessageSettingsPage::OnAllDefault);
    connect(import, &QPushButton::clicked, this, &CMessageSettingsPage::OnImport);
    connect(exportButton, &QPushButton::clicked, this, &CMessageSettingsPage::OnExport);
}

int CMessageSettingsPage::SelectedRow() const {
    return ::SelectedRow(*m_list);
}

void CMessageSettingsPage::FillList() {
    const int selected = SelectedRow();
    m_list->blockSignals(true);
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    for (int row = 0; row < m_editor.RowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < CMessageSettingsEditor::ColumnCount; ++column)
            cells << m_editor.Text(row, column);
        items << new QTreeWidgetItem(cells);
    }
    m_list->addTopLevelItems(items);
    if (QTreeWidgetItem* item = m_list->topLevelItem(selected >= 0 ? selected : 0)) {
        m_list->setCurrentItem(item);
        if (selected >= 0)
            m_list->scrollToItem(item);
    }
    m_list->blockSignals(false);
    ShowSelectedEntry();
}

void CMessageSettingsPage::ShowSelectedEntry() {
    const int row = SelectedRow();
    if (row < 0)
        return;
    const QSignalBlocker blockJapanese(m_japanese), blockSingular(m_singular), blockPlural(m_plural);
    m_japanese->setText(m_editor.Text(row, CMessageSettingsEditor::JapaneseColumn));
    m_singular->setText(m_editor.Text(row, CMessageSettingsEditor::SingularColumn));
    m_plural->setText(m_editor.Text(row, CMessageSettingsEditor::PluralColumn));
}

void CMessageSettingsPage::AbstractOnChange() {
    const int row = SelectedRow();
    if (row < 0)
        return;
    m_editor.SetTexts(row, m_japanese->text(), m_singular->text(), m_plural->text());
    ShowRowTexts(row);
}

void CMessageSettingsPage::ShowRowTexts(int row) {
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    for (int column = CMessageSettingsEditor::JapaneseColumn; column <= CMessageSettingsEditor::PluralColumn; ++column)
        item->setText(column, m_editor.Text(row, column));
}

void CMessageSettingsPage::OnDefault() {
    const int row = SelectedRow();
    if (row >= 0) {
        m_editor.RestoreDefault(row);
        ShowRowTexts(row);
    }
    ShowSelectedEntry();
}

void CMessageSettingsPage::OnAllDefault() {
    m_editor.RestoreAllDefaults();
    FillList();
}

QString CMessageSettingsPage::PromptPath(bool forExport, const QString& initial) {
    QFileDialog dialog(this, QString(), initial,
                       m_editor.Localised(StringId::MessagesFilterJa, StringId::MessagesFilterEn));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setAcceptMode(forExport ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The export asks about an existing file itself, after it has refused a document in use.
    if (forExport)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    else
        dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.selectFile(initial);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
}

void CMessageSettingsPage::OnImport() {
    const QString path = PromptPath(false, CMessageSettingsEditor::LastImportPath());
    if (!path.isEmpty() && m_editor.Import(path))
        FillList();
}

void CMessageSettingsPage::OnExport() {
    const QString path = PromptPath(true, CMessageSettingsEditor::LastExportPath());
    if (!path.isEmpty())
        m_editor.Export(path);
}

bool CMessageSettingsPage::Validate() {
    if (m_editor.Validate())
        return true;
    FillList();
    return false;
}

void CMessageSettingsPage::Apply() {
    CSettingsWordingStore store;
    m_editor.Apply(store);
}
