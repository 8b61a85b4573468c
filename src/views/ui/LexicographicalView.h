#pragma once

#include "model/FontSetting.h"

#include <QTreeWidget>

#include <optional>

struct IndexViewInfo;

class CAbstractIndexItem;
class CViewHost;

// The outline-ordered table of contents: every item in a tree, with its icon, optional numbers, its own open
// or closed state, and the table of contents' context menu. Selecting an item opens its unit function.
class CLexicographicalView : public QTreeWidget {
    Q_OBJECT
public:
    explicit CLexicographicalView(CViewHost& host, QWidget* parent = nullptr);

    // Rebuilds the tree from the document; while hidden, once it is shown.
    void OnUpdate();
    // Takes the document's font for the tree; false when it did not change.
    bool UpdateFont();
    // Selects the tree entry of the item without opening anything.
    void SelectItem(const CAbstractIndexItem* item);
    // Scrolls the tree entry of the item into view.
    void ScrollToItem(const CAbstractIndexItem* item);
    // Where the tree stands, for the document to store: its scroll positions, or the restored ones while they wait
    // for the tree to be built.
    void StoreViewState(IndexViewInfo& info) const;
    // Back to where a read document's tree stood: at once, or once the tree is built.
    void RestoreViewState(const IndexViewInfo& info);
    // The table-of-contents item an entry shows.
    static CAbstractIndexItem* IndexItem(const QTreeWidgetItem* entry);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // A right press leaves the selection alone: the menu acts on the clicked item, the active tab stays.
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    CViewHost& m_host;
    FontSetting m_font;
    bool m_updating = false;
    bool m_updatePending = false;
    std::optional<QPoint> m_pendingScroll;
};
