#pragma once

#include "model/AbstractIndexItem.h"
#include "model/EnvironmentOptions.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

// The structure diagram's geometry: the table of contents as a tree growing left to right, one column per
// depth, one row per leaf of the unfolded tree, a circle beside every box with children to fold it. Counts,
// scales, coordinates, the walk in drawing order and the hit test; the pane draws what the walk gives.
class CStructureDiagramLayout {
public:
    struct Scale {
        double x = 1.0;
        double y = 1.0;
    };
    // One box of the walk, with what the pane needs to draw it and its lines.
    struct Placed {
        CAbstractIndexItem* item = nullptr;
        int depth = 0;
        int row = 0;
        QRect box;
        QPoint circleCentre; // for an item with children
        int circleRadius = 0;
        int parentRow = -1;     // the row of the parent's box, -1 for the root
        bool firstChild = true; // the trunk joins every child after the first
    };
    // What a point hits.
    struct Hit {
        enum Kind { Nothing, Box, Circle } kind = Nothing;
        CAbstractIndexItem* item = nullptr;
    };

    explicit CStructureDiagramLayout(const StructureDiagramSettings& settings) : m_settings(settings) {}

    static int GetColumnCount(const CAbstractIndexItem& item);
    static int GetRowCount(const CAbstractIndexItem& item);

    // Scales for the zoom setting and the picture's width P; 0 is fit to width.
    Scale Scales(const CAbstractIndexItem& root, int pageWidth) const;
    // The scroll range: total width and height of the picture.
    QSize Extent(const CAbstractIndexItem& root, int pageWidth) const;
    // The bitmap copied to the clipboard: at 100 %, whatever the zoom and the scroll.
    QSize ImageSize(const CAbstractIndexItem& root) const;

    int ColumnLeft(int depth, Scale s, int hpos) const;
    int BoxRight(int depth, Scale s, int hpos) const;
    int TrunkX(int depth, Scale s, int hpos) const;
    int BoxTop(int row, Scale s, int vpos) const;
    int RowCentre(int row, Scale s, int vpos) const;
    QSize BoxSize(Scale s) const;
    int CircleRadius(Scale s) const;

    // Every drawn box in drawing order: an item, then its children when it is unfolded. The walk keeps its own
    // stack; `visit` returning false stops it.
    void Walk(CAbstractIndexItem& root, Scale s, QPoint position,
              const std::function<bool(const Placed&)>& visit) const;
    Hit HitTest(CAbstractIndexItem& root, Scale s, QPoint position, QPoint point) const;

    // The rectangle a box's text is written in: inside the box's margins (wider with the side bars of a common
    // unit function). A text of more lines than the margins leave room for takes the height of the whole lines
    // that fit inside the frame, centred, so that no line is cut through.
    static QRect TextRect(const QRect& box, bool sideBars, int textHeight, int lineSpacing);
    // How many whole lines fit inside a box's frame, one at least.
    static int TextLineCount(const QRect& box, int lineSpacing);
    // The text of a box: number prefix, name (of a long one what a view shows), places of a common unit function.
    static QString BoxText(const CAbstractIndexItem& item, const StructureDiagramSettings& settings,
                           bool distinguishPrimaryOutlineNumber);

private:
    const StructureDiagramSettings& m_settings;
};
