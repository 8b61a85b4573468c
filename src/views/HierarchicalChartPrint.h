#pragma once

#include "model/AbstractIndexItem.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CDocumentData;

// The printout of the hierarchical chart: the items of the chosen range laid out as the screen chart lays them
// out, unscaled and whatever is folded, then tiled over a grid of pages of which only the cells some box
// reaches are printed.
class CHierarchicalChartPrint {
public:
    struct Record {
        const CAbstractIndexItem* item = nullptr;
        QRect rect;      // unscaled chart units
        int parent = -1; // record of the parent item, -1 for the top one
    };

    // Lays out the range of the print settings; `current` is the active tab's unit function (null without
    // one), looked up only by the ranges that print around it. False when there is nothing to print.
    bool Prepare(const CDocumentData& document, const CUnitFunction* current);
    // The printout's scale in percent: the section's print scale times the chart's zoom.
    static int PrintFactor(const CDocumentData& document);
    // In layout order: each item after its subtree.
    const std::vector<Record>& Records() const { return m_records; }

    // The page origins, row by row, for rectangles scaled by `factor` and the drawing area of a page; cells
    // that no box reaches are left out.
    std::vector<QPoint> Pages(int factor, const QRect& area) const;
    // The record's rectangle in device units on the page at `origin`.
    static QRect OnPage(const QRect& rect, int factor, QPoint origin);
    // The connector from a parent's box to a child's, in chart units: down half the spacing, across, down.
    std::vector<std::pair<QPoint, QPoint>> Connector(const Record& child) const;
    int SpacingY() const { return m_spaceY; }

    // Cuts a segment to the area; false when nothing of it lies inside.
    static bool ClipSegment(QPoint& a, QPoint& b, const QRect& area);
    // Texts wider than `space` as measured: a number keeps its beginning and end around "...", a name its
    // beginning followed by "...".
    static QString FitNumber(const QString& text, int space, const std::function<int(const QString&)>& measure);
    static QString FitName(const QString& text, int space, const std::function<int(const QString&)>& measure);

private:
    struct Packer;

    std::unique_ptr<CAbstractIndexItem> m_container;
    std::vector<Record> m_records;
    int m_boxWidth = 140;
    int m_boxHeight = 50;
    int m_spaceX = 20;
    int m_spaceY = 20;
};
