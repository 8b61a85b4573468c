#include "app/ui/ChildFrame.h"

#include "app/OpenDocument.h"
#include "editor/ui/FunctionView.h"

#include <QScopedValueRollback>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

constexpr int kContentRow = 1;
constexpr int kLogicRow = 2;

QWidget* Placeholder(const char* viewName) {
    auto* placeholder = new QWidget;
    placeholder->setObjectName(QString::fromLatin1(viewName));
    placeholder->setMinimumSize(TabPaneSizes::MinimumPaneSize, TabPaneSizes::MinimumPaneSize);
    placeholder->setAutoFillBackground(true);
    placeholder->setBackgroundRole(QPalette::Base);
    return placeholder;
}

// The rest of the height goes to the logic row.
QList<int> RowHeights(const TabPaneSizes& sizes, int total) {
    const int rest = std::max(TabPaneSizes::MinimumPaneSize, total - sizes.headerHeight - sizes.functionHeight);
    return {sizes.headerHeight, sizes.functionHeight, rest};
}

} // namespace

CChildFrame::CChildFrame(COpenDocument& document, CUnitFunction& function, std::function<void()> sizesShared,
                         QWidget* parent)
    : QWidget(parent), m_document(document), m_function(function), m_sizesShared(std::move(sizesShared)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(Placeholder("CNUVView"));
    m_splitter->addWidget(Placeholder("CFunctionContentView"));
    layout->addWidget(m_splitter);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { StorePaneSizes(); });
    m_functionView = new CFunctionView(m_document.DocumentData(), m_function, this);
    m_functionView->setMinimumSize(TabPaneSizes::MinimumPaneSize, TabPaneSizes::MinimumPaneSize);
    CreateLogicPanes();
}

void CChildFrame::CreateLogicPanes() {
    QScopedValueRollback applying(m_bApplying, true);
    const TabPaneSizes sizes = TabPaneSizes::InUse(m_document.DocumentData(), m_function);
    // The logic form outlives the row it sits in, with its editor's caret and undo.
    m_functionView->hide();
    m_functionView->setParent(this);
    if (m_splitter->count() > kLogicRow)
        delete m_splitter->widget(kLogicRow);
    m_logicSplitter = nullptr;
    if (sizes.LogicColumnCount() == 1) {
        m_splitter->addWidget(m_functionView);
    } else {
        m_logicSplitter = new QSplitter(Qt::Horizontal);
        m_logicSplitter->setChildrenCollapsible(false);
        QList<int> widths;
        if (sizes.input) {
            m_logicSplitter->addWidget(Placeholder("CInputView"));
            widths << sizes.inputWidth;
        }
        m_logicSplitter->addWidget(m_functionView);
        widths << sizes.functionWidth;
        if (sizes.output) {
            m_logicSplitter->addWidget(Placeholder("COutputView"));
            widths << sizes.outputWidth;
        }
        m_logicSplitter->setSizes(widths);
        connect(m_logicSplitter, &QSplitter::splitterMoved, this, [this] { StorePaneSizes(); });
        m_splitter->addWidget(m_logicSplitter);
    }
    m_functionView->show();
    // Height the window gains or loses goes to the logic row.
    m_splitter->setStretchFactor(kLogicRow, 1);
    m_splitter->setSizes(RowHeights(sizes, m_splitter->height()));
}

void CChildFrame::ApplyPaneLayout() {
    const TabPaneSizes sizes = TabPaneSizes::InUse(m_document.DocumentData(), m_function);
    const int columns = m_logicSplitter ? m_logicSplitter->count() : 1;
    if (columns != sizes.LogicColumnCount()) {
        CreateLogicPanes();
        return;
    }
    QScopedValueRollback applying(m_bApplying, true);
    m_splitter->setSizes(RowHeights(sizes, m_splitter->height()));
    if (m_logicSplitter) {
        QList<int> widths;
        if (sizes.input)
            widths << sizes.inputWidth;
        widths << sizes.functionWidth;
        if (sizes.output)
            widths << sizes.outputWidth;
        m_logicSplitter->setSizes(widths);
    }
}

void CChildFrame::StorePaneSizes() {
    if (m_bApplying)
        return;
    TabPaneSizes sizes = TabPaneSizes::InUse(m_document.DocumentData(), m_function);
    sizes.functionHeight = m_splitter->sizes().value(kContentRow);
    if (m_logicSplitter) {
        const QList<int> widths = m_logicSplitter->sizes();
        int column = 0;
        if (sizes.input)
            sizes.inputWidth = widths.value(column++);
        sizes.functionWidth = widths.value(column++);
        if (sizes.output)
            sizes.outputWidth = widths.value(column);
    }
    if (m_document.StoreTabPaneSizes(m_function, sizes) && m_sizesShared)
        m_sizesShared();
}
