#include "views/ui/FunctionListView.h"

#include "model/DocumentData.h"
#include "platform/ui/CaptionLines.h"
#include "platform/ui/NameEdit.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"
#include "views/ViewHost.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTableWidget>

namespace {

// The columns before the name column are no wider than they need.
constexpr int kNarrowColumns = CFunctionListRows::NameColumn;
constexpr int kHeaderPadding = 12;

// A header caption in lines that fit `width`, as narrow as that many lines allow.
QString HeaderCaption(const QString& text, const QFont& font, int width) {
    const QStringList lines = CaptionLines(text, font, width);
    QStringList narrowest = lines;
    for (int narrower = width - 2; lines.size() > 1 && narrower > 0; narrower -= 2) {
        const QStringList candidate = CaptionLines(text, font, narrower);
        if (candidate.size() > lines.size())
            break;
        narrowest = candidate;
    }
    return narrowest.join(QLatin1Char('\n'));
}

} // namespace

CFunctionListView::CFunctionListView(CViewHost& host, QWidget* parent) : QWidget(parent), m_host(host) {
    setMinimumSize(200, 200);
    m_label = new QLabel(Msg::FunctionName(host.MessageContext()), this);
    m_label->adjustSize();
    m_name = new CNameEdit(CUnitFunction::MaxTypedNameLength, this);
    m_new = new QPushButton(LoadString(StringId::FunctionListNewButton), this);
    m_delete = new QPushButton(LoadString(StringId::FunctionListDeleteButton), this);
    m_new->setEnabled(false);
    m_delete->setEnabled(false);
    m_list = new QTableWidget(0, CFunctionListRows::ColumnCount, this);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->verticalHeader()->hide();
    // The captions are read whole, in as many lines as their columns need.
    QStringList headers;
    for (int column = 0; column < CFunctionListRows::ColumnCount; ++column) {
        headers << HeaderCaption(CFunctionListRows::HeaderText(host.MessageContext(), column),
                                 m_list->horizontalHeader()->font(),
                                 CFunctionListRows::ColumnWidth(column) - kHeaderPadding);
        m_list->setColumnWidth(column, CFunctionListRows::ColumnWidth(column));
    }
    m_list->setHorizontalHeaderLabels(headers);
    // Each caption stands over its column's texts: the name column's is read in a narrow pane.
    for (int column = 0; column < CFunctionListRows::ColumnCount; ++column)
        m_list->horizontalHeaderItem(column)->setTextAlignment(CFunctionListRows::IsRightAligned(column)
                                                                   ? Qt::AlignRight | Qt::AlignVCenter
                                                                   : Qt::AlignLeft | Qt::AlignVCenter);
    m_list->horizontalHeader()->setSectionsClickable(true);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
        if (!m_fitting && column >= 0 && column < CFunctionListRows::ColumnCount)
            m_sizedByUser[size_t(column)] = true;
    });
    FitNarrowColumns();
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_rows.ClickColumn(column);
        Fill();
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) { OnSelectionChanged(selected); });
    connect(m_name, &QLineEdit::textChanged, this, [this] { OnNameChanged(); });
    connect(m_new, &QPushButton::clicked, this, [this] { OnNew(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { OnDelete(); });
}

void CFunctionListView::Refresh() {
    if (!isVisible()) {
        m_refreshPending = true;
        return;
    }
    m_refreshPending = false;
    if (!m_host.HasDocument()) {
        m_rows.Refresh(CUnitFunctionRegistry(), false);
    } else {
        const CDocumentData& document = m_host.Document();
        m_rows.Refresh(document.registry, document.environment.distinguishPrimaryOutlineNumber != 0);
    }
    Fill();
}

void CFunctionListView::Fill() {
    const bool reacting = std::exchange(m_reacting, false);
    m_list->clearContents();
    m_list->setRowCount(static_cast<int>(m_rows.Rows().size()));
    m_delete->setEnabled(false);
    const bool distinguish = m_host.HasDocument() && m_host.Document().environment.distinguishPrimaryOutlineNumber;
    for (int row = 0; row < m_list->rowCount(); ++row) {
        const CUnitFunction& function = *m_rows.Rows()[size_t(row)];
        for (int column = 0; column < CFunctionListRows::ColumnCount; ++column) {
            auto* cell = new QTableWidgetItem(CFunctionListRows::CellText(function, column, distinguish));
            if (CFunctionListRows::IsRightAligned(column))
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_list->setItem(row, column, cell);
        }
    }
    FitNarrowColumns();
    m_reacting = reacting;
}

void CFunctionListView::FitNarrowColumns() {
    // The name column starts where the numbers end, not at their fixed widths: it shows in a narrow pane.
    QScopedValueRollback fitting(m_fitting, true);
    for (int column = 0; column < kNarrowColumns; ++column) {
        if (m_sizedByUser[size_t(column)])
            continue;
        // No wider than the column's own width, unless a word of its caption is.
        const int widest =
            std::max(CFunctionListRows::ColumnWidth(column), m_list->horizontalHeader()->sectionSizeHint(column));
        m_list->resizeColumnToContents(column);
        m_list->setColumnWidth(column, std::min(m_list->columnWidth(column), widest));
    }
}

void CFunctionListView::SelectCurrentFunction(const CUnitFunction* function) {
    m_reacting = false;
    const int row = m_rows.IndexOf(function);
    if (m_list->selectionModel()->selectedRows().size() < 2 && m_list->rowCount() > 0) {
        m_list->clearSelection();
        if (row >= 0) {
            m_list->selectRow(row);
            m_list->setCurrentCell(row, 0);
            m_list->scrollToItem(m_list->item(row, 0));
        }
    }
    m_delete->setEnabled(row >= 0);
    m_reacting = true;
}

void CFunctionListView::OnSelectionChanged(const QItemSelection& newlySelected) {
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    const int row = selected.isEmpty() ? -1 : selected.front().row();
    const bool inside = row >= 0 && row < int(m_rows.Rows().size());
    // Only a row that became selected opens: a row selected off leaves the other rows' tabs alone.
    if (m_reacting && selected.size() < 2 && inside && newlySelected.contains(selected.front()))
        m_host.OpenFunctionTab(m_rows.Rows()[size_t(row)]);
    m_delete->setEnabled(inside);
}

void CFunctionListView::OnNameChanged() {
    if (!m_host.HasDocument()) {
        m_new->setEnabled(false);
        return;
    }
    const CDocumentData& document = m_host.Document();
    m_new->setEnabled(CFunctionListRows::CanCreate(m_name->text(), document.registry,
                                                   document.environment.enableDuplicateFunctionName != 0));
}

void CFunctionListView::OnNew() {
    if (!m_host.HasDocument())
        return;
    m_new->setEnabled(false);
    const QString name = m_name->text();
    m_name->clear();
    CDocumentData& document = m_host.Document();
    const ModelOptions options = document.GetModelOptions();
    CUnitFunction* function = document.registry.CreateFunction(name, options);
    if (!function)
        return;
    document.registry.RebuildAndNotify(document.indexRoot, options);
    m_host.SetModified();
    document.registry.UpdateAllFunctionViews(document.indexRoot);
    if (options.OpenTabWhenCreateFunction)
        m_host.OpenFunctionTab(function);
}

void CFunctionListView::OnDelete() {
    if (!m_host.HasDocument())
        return;
    m_delete->setEnabled(false);
    // The rows' unit functions by InternalID: deleting one rebuilds the list under the walk.
    std::vector<int> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    std::vector<quint32> ids;
    for (int row : rows) {
        if (row < 0 || row >= int(m_rows.Rows().size()))
            break;
        ids.push_back(m_rows.Rows()[size_t(row)]->InternalID);
    }
    CFunctionListRows::DeleteFunctions(m_host.Document(), ids);
}

void CFunctionListView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int cx = width();
    const int cy = height();
    const int buttonHeight = m_delete->sizeHint().height();
    const int newWidth = m_new->sizeHint().width();
    const int deleteWidth = m_delete->sizeHint().width();
    m_delete->setGeometry(cx - deleteWidth, 10, deleteWidth, buttonHeight);
    m_new->setGeometry(cx - newWidth - deleteWidth - 10, 10, newWidth, buttonHeight);
    m_label->move(10, 14);
    const int room = cx - m_label->width() - newWidth - deleteWidth - 40;
    if (room >= 11) {
        m_label->show();
        m_name->setGeometry(m_label->width() + 20, 10, room, buttonHeight);
    } else {
        m_label->hide();
        m_name->setGeometry(10, 10, std::max(1, cx - newWidth - deleteWidth - 30), buttonHeight);
    }
    m_list->setGeometry(0, 40, cx, std::max(0, cy - 40));
}

void CFunctionListView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_refreshPending)
        return;
    Refresh();
    // The tabs activated while the pane was hidden selected rows of the list before this refresh.
    SelectCurrentFunction(m_host.ActiveTabFunction());
}
