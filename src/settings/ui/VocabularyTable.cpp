#include "settings/ui/VocabularyTable.h"

#include "platform/ui/HeaderWidths.h"
#include "settings/ui/SettingsHost.h"
#include "texts/Msg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CVocabularyTable::CVocabularyTable(const CMessageContext& context, const QStringList& headers, QWidget* parent)
    : QWidget(parent), m_table(new QTableWidget(0, static_cast<int>(headers.size()), this)),
      m_new(new QPushButton(Msg::New(context), this)), m_delete(new QPushButton(Msg::Delete(context), this)) {
    m_table->setHorizontalHeaderLabels(headers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    WidenColumnsToHeaders(*m_table->horizontalHeader());
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_new);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    connect(m_new, &QPushButton::clicked, this, &CVocabularyTable::AddRow);
    connect(m_delete, &QPushButton::clicked, this, &CVocabularyTable::DeleteCurrentRow);
}

void CVocabularyTable::SetCheckColumn(int column) {
    m_checkColumns << column;
    for (int row = 0; row < RowCount(); ++row)
        FillRow(row);
}

int CVocabularyTable::RowCount() const {
    return m_table->rowCount();
}

void CVocabularyTable::SetRowCount(int rows) {
    m_table->clearContents();
    m_table->setRowCount(rows);
    for (int row = 0; row < rows; ++row)
        FillRow(row);
}

void CVocabularyTable::FillRow(int row) {
    for (int column = 0; column < m_table->columnCount(); ++column) {
        auto* item = new QTableWidgetItem;
        if (m_checkColumns.contains(column)) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
        m_table->setItem(row, column, item);
    }
}

QString CVocabularyTable::Text(int row, int column) const {
    const QTableWidgetItem* item = m_table->item(row, column);
    return item ? item->text() : QString();
}

void CVocabularyTable::SetText(int row, int column, const QString& text) {
    if (QTableWidgetItem* item = m_table->item(row, column))
        item->setText(text);
}

bool CVocabularyTable::IsChecked(int row, int column) const {
    const QTableWidgetItem* item = m_table->item(row, column);
    return item && item->checkState() == Qt::Checked;
}

void CVocabularyTable::SetChecked(int row, int column, bool checked) {
    if (QTableWidgetItem* item = m_table->item(row, column))
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void CVocabularyTable::CommitEdit() {
    // Leaving the current cell commits its editor.
    const QModelIndex current = m_table->currentIndex();
    m_table->setCurrentIndex(QModelIndex());
    m_table->setCurrentIndex(current);
}

void CVocabularyTable::AddRow() {
    const int row = RowCount();
    m_table->insertRow(row);
    FillRow(row);
    m_table->setCurrentCell(row, 0);
    m_table->editItem(m_table->item(row, 0));
}

void CVocabularyTable::DeleteCurrentRow() {
    const int row = m_table->currentRow();
    if (row < 0)
        return;
    m_table->removeRow(row);
}

bool ReportVocabularyStore(VocabularyStore outcome, CSettingsHost& host) {
    if (outcome == VocabularyStore::Stored)
        host.SetSettingsDocumentModified();
    return outcome != VocabularyStore::Refused;
}
