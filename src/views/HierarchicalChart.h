#pragma once

#include "model/AbstractIndexItem.h"
#include "model/ViewLayoutTables.h"
#include "views/TreePacking.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <memory>
#include <vector>

// The hierarchical chart of the table of contents: one box per item of a private copy of the table of contents,
// children in a row below their parent, the parent centred over them, a fold button under every box with
// children. The chart is split into horizontal pages of at most 32767 pixels; boxes off the current page are
// hidden. Lays out, answers what lies in an area and where a point hits; the view paints what it is given.
class CHierarchicalChart {
public:
    // The chart's zoom in percent from a stored one: outside 1 to 100 it reads as 100.
    static int ReadZoom(int stored);
    static constexpr int MaxPageWidth = 32767;

    struct Box {
        CAbstractIndexItem* item = nullptr; // in the chart's copy
        int parent = -1;                    // -1 for the top box
        int depth = 0;                      // 1 for the top box
        std::vector<int> children;
        QRect chartRect;
        QRect pageRect;
        bool placed = false; // laid out: no folded ancestor
        bool hiddenOnPage = false;
        int spanLeft = 0; // page x range of the columns its laid-out subtree takes
        int spanRight = 0;

        bool Shown() const { return placed && !hiddenOnPage; }
        bool HasChildren() const { return !children.empty(); }
        bool Expanded() const { return item->chartExpanded != 0; }
    };

    // What a point of the page hits.
    struct Hit {
        enum Kind { Nothing, Box, FoldButton } kind = Nothing;
        int box = -1;
    };

    // The box template, scales and fit state taken from the settings.
    void ApplySettings(HierarchicalIndexSettings& settings, QSize window);
    // Takes a copy of the table of contents below `root` and makes its boxes; an empty chart for null.
    void Rebuild(const CAbstractIndexItem* root);
    void Clear();
    bool IsEmpty() const { return m_boxes.empty(); }

    // Scaled metrics from the template and the scales; a zoom setting out of 1 to 100 becomes 100 there.
    void ComputeMetrics(HierarchicalIndexSettings& settings);
    // Lays every box out: places, extent, page count and the scroll size.
    void RecalcLayout();

    const std::vector<Box>& Boxes() const { return m_boxes; }
    const PackingMetrics& Metrics() const { return m_metrics; }
    QSize FoldButtonSize() const { return m_foldButton; }
    // Font sizes in tenths of a point at the current scale.
    int ScaledFontSize(int size) const { return size * m_zoom / 100; }
    int FoldButtonFontSize() const { return m_zoom; }
    int HorizontalScale() const { return m_zoom; }
    int VerticalScale() const { return m_verticalScale; }
    QRect Extent() const { return m_extent; }
    QSize ScrollSize() const { return m_scrollSize; }
    int PageWidth() const { return m_pageWidth; }
    int PageCount() const { return m_pageCount; }
    int CurrentPage() const { return m_currentPage; }
    int PageOffset() const { return m_pageOffset; }

    // The fold button of a box with children, in page coordinates.
    QRect FoldButtonRect(int box) const;
    // The boxes whose laid-out subtree reaches into the page area, in drawing order per row: what a repaint of
    // that area draws, connectors included. Costs what is visible, not what the document holds.
    void BoxesInArea(const QRect& area, std::vector<int>& boxes) const;
    Hit HitTest(QPoint point) const;
    // The tip over a box: its outline number and text (of a long name what a view shows), and, when the unit
    // function stands at other places too, all of them in brackets; in lines of at most TooltipColumns.
    static constexpr qsizetype TooltipColumns = 100;
    static QString BoxTooltip(const CAbstractIndexItem& item, const ModelOptions& options);
    // The connector lines of a box: its line up, its line down and the bar over its children, each present only
    // where the box and its children are shown.
    void ConnectorLines(int box, std::vector<std::pair<QPoint, QPoint>>& lines) const;

    // Folds or unfolds a box's children; `documentRoot`, when given, keeps the state in the document's own item
    // of the same place, so that it outlives the next rebuild.
    void SetFolded(int box, bool folded, CAbstractIndexItem* documentRoot);
    // Unfolds every folded ancestor of the box and turns to its page; true when anything changed.
    bool RevealBox(int box, CAbstractIndexItem* documentRoot);
    int PageOfBox(int box) const;
    bool SetPage(int page);

    // Fitting to the window: only while the settings' fit flag is set; true when the scale changed.
    bool FitToWindow(HierarchicalIndexSettings& settings, int width, int height);
    // The reduction menu: the checked entry (0 for fit, else the percentage) and a chosen reduction.
    static int CheckedReduction(const HierarchicalIndexSettings& settings);
    // 100 ... 50: a fixed reduction; true when the layout changed.
    bool ChooseReduction(HierarchicalIndexSettings& settings, int percent);
    void ChooseFit(HierarchicalIndexSettings& settings, QSize window);
    bool PreviousPage();
    bool NextPage();

    // After a rebuild the scroll position follows the growth of the chart and stays within it.
    static QPoint CorrectScroll(QPoint position, QSize oldSize, QSize newSize, QSize window);

    // A box's divider: its y below the box's top, a third of the box down.
    static int DividerOffset(const QRect& box) { return box.height() / 3 - 1; }
    // The rectangle the outline number is written in, from its top: at the top of the box above the divider, moved
    // up for a number font whose ascent reaches the divider, so that the divider never runs through the digits.
    static QRect NumberRect(const QRect& box, int fontAscent);
    // The rectangle of the name label below the divider, down to the box's bottom edge. The name stands on one line
    // in it, shortened with "..." when it is wider (CHierarchicalChartPrint::FitName), as the printout shows it.
    static QRect NameRect(const QRect& box);

private:
    struct Packer;
    void BuildBoxes();
    void SetPageOffset() { m_pageOffset = m_currentPage == 0 ? 0 : (m_currentPage - 1) * m_pageWidth; }
    void ResetPages();
    void Extend(const QRect& rect);

    std::unique_ptr<CAbstractIndexItem> m_copy; // holds the copied root as its only child
    std::vector<Box> m_boxes;                   // pre-order
    std::vector<std::vector<int>> m_rows;       // laid-out boxes per depth, left to right
    // Unscaled template.
    int m_boxWidth = 140;
    int m_boxHeight = 50;
    int m_spaceX = 20;
    int m_spaceY = 20;
    int m_zoom = 100;
    int m_verticalScale = 100;
    bool m_fit = false;
    PackingMetrics m_metrics{140, 50, 20, 20};
    QSize m_foldButton{14, 14};
    QRect m_extent;
    QSize m_scrollSize;
    int m_pageWidth = MaxPageWidth;
    int m_pageCount = 1;
    int m_currentPage = 1;
    int m_pageOffset = 0;
    bool m_extentSet = false;
    int m_extentLeft = 0;
    int m_extentRight = 0;
    int m_extentBottom = 0;
};
