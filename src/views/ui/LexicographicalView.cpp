#include "views/ui/LexicographicalView.h"

#include "model/DocumentData.h"
#include "texts/Msg.h"
#include "views/IndexViewState.h"
#include "views/OutlineIndexItems.h"
#include "views/ViewHost.h"
#include "views/ui/ViewWidgets.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <utility>

namespace {

// The three icons: a used unit function, an unused one (dotted), one cut off by a cycle (red).
QIcon ItemIcon(int kind) {
    static QIcon icons[3];
    const int slot = kind == COutlineIndexItems::UsedIcon ? 0 : kind == COutlineIndexItems::UnusedIcon ? 1 : 2;
    if (icons[slot].isNull()) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        const QColor colour = slot == 2 ? QColor(255, 0, 0) : QColor(Qt::black);
        painter.setPen(QPen(colour, 1, slot == 1 ? Qt::DotLine : Qt::SolidLine));
        painter.setBrush(Qt::white);
        painter.drawRect(2, 1, 11, 13);
        painter.drawLine(4, 5, 11, 5);
        painter.drawLine(4, 8, 11, 8);
        painter.drawLine(4, 11, 9, 11);
        icons[slot] = QIcon(pixmap);
    }
    return icons[slot];
}

} // namespace

CLexicographicalView::CLexicographicalView(CViewHost& host, QWidget* parent) : QTreeWidget(parent), m_host(host) {
    setWindowTitle(Msg::OutlineNumberOrderdTableOfContents(host.MessageContext()));
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMinimumSize(200, 200);
    m_font.pointSize = 100;
    setFont(ViewWidgets::FontOf(m_font));
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (m_updating || !m_host.HasDocument())
            return;
        const QList<QTreeWidgetItem*> selected = selectedItems();
        if (selected.isEmpty())
            return;
        if (CAbstractIndexItem* item = IndexItem(selected.front()))
            CAbstractIndexItem::Open(m_host.Document().indexRoot, *item);
    });
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* entry) {
        if (!m_updating)
            if (CAbstractIndexItem* item = IndexItem(entry))
                item->treeExpanded = 1;
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* entry) {
        if (!m_updating)
            if (CAbstractIndexItem* item = IndexItem(entry))
                item->treeExpanded = 0;
    });
}

CAbstractIndexItem* CLexicographicalView::IndexItem(const QTreeWidgetItem* entry) {
    return entry ? static_cast<CAbstractIndexItem*>(entry->data(0, Qt::UserRole).value<void*>()) : nullptr;
}

void CLexicographicalView::OnUpdate() {
    if (!isVisible()) {
        m_updatePending = true;
        return;
    }
    m_updatePending = false;
    m_updating = true;
    const int horizontal = horizontalScrollBar()->value();
    const int vertical = verticalScrollBar()->value();
    setUpdatesEnabled(false);
    clearSelection();
    clear();
    if (m_host.HasDocument()) {
        CDocumentData& document = m_host.Document();
        const ModelOptions options = document.GetModelOptions();
        const bool prefix = document.environment.showPrefixInOutlineNumberOrderdIndex != 0;
        const bool postfix = document.environment.showPostfixInOutlineNumberOrderdIndex != 0;
        // Pre-order with an explicit stack; entries are expanded once their children are in.
        std::vector<std::pair<CAbstractIndexItem*, QTreeWidgetItem*>> pending{{&document.indexRoot, nullptr}};
        std::vector<QTreeWidgetItem*> expand;
        while (!pending.empty()) {
            const auto [item, parentEntry] = pending.back();
            pending.pop_back();
            auto* entry = parentEntry ? new QTreeWidgetItem(parentEntry) : new QTreeWidgetItem(this);
            entry->setText(0, COutlineIndexItems::ItemText(*item, options, prefix, postfix));
            entry->setIcon(0, ItemIcon(COutlineIndexItems::ItemIcon(*item)));
            entry->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(item)));
            item->treeItem = entry;
            if (item->treeExpanded)
                expand.push_back(entry);
            for (auto child = item->children.rbegin(); child != item->children.rend(); ++child)
                pending.emplace_back(&*child, entry);
        }
        for (QTreeWidgetItem* entry : expand)
            entry->setExpanded(true);
    }
    // The scroll ranges follow the new entries only once they are laid out.
    executeDelayedItemsLayout();
    horizontalScrollBar()->setValue(horizontal);
    verticalScrollBar()->setValue(vertical);
    setUpdatesEnabled(true);
    if (m_host.HasDocument()) {
        CAbstractIndexItem& root = m_host.Document().indexRoot;
        if (CAbstractIndexItem* current = CAbstractIndexItem::GetCurrentItem(root))
            SelectItem(current);
    }
    m_updating = false;
    if (const std::optional<QPoint> scroll = std::exchange(m_pendingScroll, std::nullopt)) {
        horizontalScrollBar()->setValue(scroll->x());
        verticalScrollBar()->setValue(scroll->y());
    }
}

void CLexicographicalView::StoreViewState(IndexViewInfo& info) const {
    if (m_pendingScroll) {
        info.LexiHScrollPosition = m_pendingScroll->x();
        info.LexiVScrollPosition = m_pendingScroll->y();
        return;
    }
    info.LexiHScrollPosition = StoredScrollPosition(horizontalScrollBar()->value(), horizontalScrollBar()->maximum());
    info.LexiVScrollPosition = StoredScrollPosition(verticalScrollBar()->value(), verticalScrollBar()->maximum());
}

void CLexicographicalView::RestoreViewState(const IndexViewInfo& info) {
    const QPoint scroll(info.LexiHScrollPosition, info.LexiVScrollPosition);
    if (m_updatePending || !isVisible()) {
        m_pendingScroll = scroll;
        return;
    }
    executeDelayedItemsLayout();
    horizontalScrollBar()->setValue(scroll.x());
    verticalScrollBar()->setValue(scroll.y());
}

void CLexicographicalView::SelectItem(const CAbstractIndexItem* item) {
    if (!item || !item->treeItem)
        return;
    auto* entry = static_cast<QTreeWidgetItem*>(item->treeItem);
    // Selected again, the entry leaves the tree where it stands: a place restored after it was selected stays.
    if (entry == currentItem() && entry->isSelected())
        return;
    const bool updating = std::exchange(m_updating, true);
    setCurrentItem(entry);
    scrollToItem(entry);
    m_updating = updating;
}

void CLexicographicalView::ScrollToItem(const CAbstractIndexItem* item) {
    if (item && item->treeItem)
        scrollToItem(static_cast<QTreeWidgetItem*>(item->treeItem));
}

bool CLexicographicalView::UpdateFont() {
    if (!m_host.HasDocument())
        return false;
    const FontSetting& font = m_host.Document().indexViewSettings.LexFont;
    if (font == m_font)
        return false;
    m_font = font;
    setFont(ViewWidgets::FontOf(COutlineIndexItems::ShownFont(font)));
    return true;
}

void CLexicographicalView::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_host.HasDocument())
        return;
    if (CAbstractIndexItem* item = IndexItem(itemAt(event->pos())))
        ViewWidgets::ShowIndexContextMenu(m_host, *item, event->globalPos(), this);
}

void CLexicographicalView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void CLexicographicalView::showEvent(QShowEvent* event) {
    QTreeWidget::showEvent(event);
    if (m_updatePending)
        OnUpdate();
}
