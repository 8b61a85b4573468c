#pragma once

#include "views/HierarchicalChart.h"
#include "views/HierarchicalChartPrint.h"

#include <QAbstractScrollArea>

#include <optional>

class CViewHost;
class QPagedPaintDevice;
struct CMessageContext;
struct PrintPageRange;

// The hierarchical chart pane: paints the boxes, connectors and fold buttons that reach into the window,
// opens a unit function on a click on its box, folds on a click on a fold button, and offers the table of
// contents' menu on a box and the reduction menu elsewhere. Nothing is drawn before the first question of the
// process was answered with OK.
class CHierarchicalView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CHierarchicalView(CViewHost& host, QWidget* parent = nullptr);

    // The document changed: rebuilt at once while shown, else when next shown.
    void OnUpdate();
    // The document's chart settings changed (`forceLayout` after a document was opened).
    void ApplySettings();
    const CHierarchicalChart& Chart() const { return m_chart; }
    bool UpdatePending() const { return m_updatePending; }

    // Lays the printout out from the document's print settings and the active tab; false after the message when
    // there is nothing to print.
    bool PreparePrint();
    // Prints the pages of the printout within `range`, laid out afresh, on the device; the number of pages printed, 0
    // after the message when there is nothing to print.
    int Print(QPagedPaintDevice& device, PrintPageRange range);
    // The pages the prepared printout takes on the device.
    int PrintPageCount(const QPagedPaintDevice& device) const;
    // The language and wording of the window's messages.
    const CMessageContext& MessageContext() const;

    // Where the chart stands, for the document to store: the unit function last clicked, the page and the scroll
    // positions; while a restored place waits for the chart to be laid out, that place.
    void StoreViewState(IndexViewInfo& info) const;
    // Back to where a read document's chart stood: at once, or once the chart is laid out.
    void RestoreViewState(const IndexViewInfo& info);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Where the prepared printout goes on the device's pages: its unit, the page, the drawing area and the
    // origin of each page that shows a box.
    struct PrintGeometry {
        int unit = 1;
        QRect page;
        QRect area;
        std::vector<QPoint> pages;
    };
    PrintGeometry MeasurePrint(const QPagedPaintDevice& device) const;
    bool ConfirmDrawing();
    void Relayout(bool resetScroll);
    void UpdateScrollBars();
    QPoint ScrollPosition() const;
    void ScrollTo(QPoint position);
    void RevealBox(int box);
    void ShowReductionMenu(const QPoint& globalPosition);
    void ApplyViewState(const IndexViewInfo& info);

    CViewHost& m_host;
    CHierarchicalChart m_chart;
    CHierarchicalChartPrint m_print;
    bool m_updatePending = false;
    quint32 m_clickedInternalId = 0;
    std::optional<IndexViewInfo> m_pendingViewState;
};
