#include "settings/ui/FuncAttrPage.h"

#include "platform/ui/FloatEdit.h"
#include "platform/ui/HeaderWidths.h"
#include "settings/ui/SettingsHost.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum Column { SymbolColumn, NameColumn };
}

CFuncAttrPage::CFuncAttrPage(CSettingsHost& host, QWidget* parent)
    : CPropertyPage(Msg::FunctionAttributePlural(host.MessageContext()), parent), m_host(host),
      m_model(host.SettingsDocument()), m_table(new QTableWidget(0, 2, this)) {
    const CMessageContext& context = host.MessageContext();
    m_table->setHorizontalHeaderLabels({Msg::SymbolAttribute(context), Msg::ExplanationAttribute(context)});
    // Tab leaves the table for the buttons below it; the arrows move between the cells.
    m_table->setTabKeyNavigation(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    WidenColumnsToHeaders(*m_table->horizontalHeader());
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_table, &QTableWidget::cellChanged, this, &CFuncAttrPage::OnCellChanged);
    auto* add = new QPushButton(LoadString(StringId::SettingAddAttribute), this);
    add->setObjectName(QStringLiteral("add"));
    auto* remove = new QPushButton(MakeMenuItemText(context, Msg::Delete(context), QStringLiteral("D")), this);
    remove->setObjectName(QStringLiteral("delete"));
    connect(add, &QPushButton::clicked, this, [this] {
        if (!m_model.AddAttribute())
            return;
        FillTable();
        m_table->setCurrentCell(m_table->rowCount() - 1, SymbolColumn);
        m_table->editItem(m_table->currentItem());
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_table->currentRow() < 0)
            return;
        m_model.RemoveAttribute(size_t(m_table->currentRow()));
        FillTable();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    layout->addWidget(MakeFactorsBox(context));
    FillTable();
}

QGroupBox* CFuncAttrPage::MakeFactorsBox(const CMessageContext& context) {
    using Factor = CFuncAttrPageModel::Factor;
    auto* box = new QGroupBox(Msg::ConversionOfUnits(context), this);
    auto* grid = new QGridLayout(box);
    const struct {
        Factor factor;
        QString unit;
        QString per;
    } rows[] = {
        {CFuncAttrPageModel::HoursPerDay, Msg::OneManDay(context), Msg::ManHours(context)},
        {CFuncAttrPageModel::DaysPerMonth, Msg::OneManMonth(context), Msg::ManDays(context)},
        {CFuncAttrPageModel::MonthsPerYear, Msg::OneManYear(context), Msg::ManMonths(context)},
    };
    for (const auto& row : rows) {
        auto* edit = new CFloatEdit(box);
        edit->setObjectName(QStringLiteral("factor%1").arg(int(row.factor)));
        edit->setText(m_model.FactorText(row.factor));
        connect(edit, &QLineEdit::textEdited, this,
                [this, factor = row.factor](const QString& text) { m_model.SetFactorText(factor, text); });
        grid->addWidget(new QLabel(row.unit, box), int(row.factor), 0);
        grid->addWidget(edit, int(row.factor), 1);
        grid->addWidget(new QLabel(row.per, box), int(row.factor), 2);
    }
    grid->setColumnStretch(3, 1);
    return box;
}

void CFuncAttrPage::FillTable() {
    const QSignalBlocker blocker(m_table);
    const auto& attributes = m_model.Attributes();
    m_table->setRowCount(int(attributes.size()));
    for (size_t row = 0; row < attributes.size(); ++row) {
        m_table->setItem(int(row), SymbolColumn, new QTableWidgetItem(attributes[row].symbol));
        m_table->setItem(int(row), NameColumn, new QTableWidgetItem(attributes[row].details));
    }
}

void CFuncAttrPage::OnCellChanged(int row, int column) {
    const QString text = m_table->item(row, column)->text();
    if (column == SymbolColumn)
        m_model.SetSymbol(size_t(row), text);
    else
        m_model.SetDetails(size_t(row), text);
    // The cell shows what is kept: a text cut to its field.
    const QString kept =
        column == SymbolColumn ? m_model.Attributes()[size_t(row)].symbol : m_model.Attributes()[size_t(row)].details;
    if (kept != text) {
        const QSignalBlocker blocker(m_table);
        m_table->item(row, column)->setText(kept);
    }
}

bool CFuncAttrPage::Validate() {
    if (!m_model.ValidateFactors(m_host.MessageContext()))
        return false;
    const bool valid = m_model.Validate();
    // Rows the user agreed to delete are gone also when another refusal keeps the page open.
    FillTable();
    return valid;
}

void CFuncAttrPage::Apply() {
    const SettingsApplyResult result = m_model.Apply(m_host.SettingsDocument());
    if (!result.changed)
        return;
    m_host.SetSettingsDocumentModified();
    AddChangeBits(result.changeBits);
}
