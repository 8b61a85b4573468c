#include "views/StructureDiagramLayout.h"

#include "model/TextUtilities.h"

#include <algorithm>
#include <vector>

namespace {

int Truncate(double value) {
    return static_cast<int>(value);
}

// Counts over the unfolded tree, children before parents, without recursion.
template <class Combine> int CountUnfolded(const CAbstractIndexItem& root, Combine combine) {
    struct Frame {
        const CAbstractIndexItem* item;
        size_t next;
        int value;
    };
    std::vector<Frame> stack{{&root, 0, -1}};
    int returned = 0;
    bool hasReturned = false;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (hasReturned) {
            frame.value = combine(frame.value, returned);
            hasReturned = false;
        }
        if (frame.item->diagramExpanded && frame.next < frame.item->children.size()) {
            const CAbstractIndexItem* child = &frame.item->children[frame.next++];
            stack.push_back({child, 0, -1});
            continue;
        }
        returned = frame.item->diagramExpanded ? combine(frame.value, -2) : 1;
        stack.pop_back();
        hasReturned = true;
    }
    return returned;
}

} // namespace

int CStructureDiagramLayout::GetColumnCount(const CAbstractIndexItem& item) {
    // value -1: no child yet; -2 asks for the item's own count.
    return CountUnfolded(item, [](int value, int child) {
        if (child == -2)
            return value < 0 ? 1 : value + 1;
        return std::max(value, child);
    });
}

int CStructureDiagramLayout::GetRowCount(const CAbstractIndexItem& item) {
    return CountUnfolded(item, [](int value, int child) {
        if (child == -2)
            return value <= 0 ? 1 : value;
        return std::max(value, 0) + child;
    });
}

CStructureDiagramLayout::Scale CStructureDiagramLayout::Scales(const CAbstractIndexItem& root, int pageWidth) const {
    const StructureDiagramSettings& s = m_settings;
    if (s.defaultZoom != 0)
        return {s.defaultZoom / 100.0, s.defaultZoom / 100.0};
    const double whole = double(s.boxWidth + s.horizontalSpace) * GetColumnCount(root) + 40;
    return {std::min(1.0, whole > 0 ? pageWidth / whole : 1.0), 1.0};
}

QSize CStructureDiagramLayout::Extent(const CAbstractIndexItem& root, int pageWidth) const {
    const StructureDiagramSettings& s = m_settings;
    const int columns = GetColumnCount(root);
    const int rows = GetRowCount(root);
    const int height = s.boxHeight * rows + s.verticalSpace * (rows - 1) + 60;
    if (s.defaultZoom == 0)
        return QSize(pageWidth - 1, height);
    return QSize(((s.boxWidth + s.horizontalSpace) * columns + 40) * s.defaultZoom / 100, height * s.defaultZoom / 100);
}

QSize CStructureDiagramLayout::ImageSize(const CAbstractIndexItem& root) const {
    const StructureDiagramSettings& s = m_settings;
    const int rows = GetRowCount(root);
    return QSize((s.boxWidth + s.horizontalSpace) * GetColumnCount(root) + 40,
                 s.boxHeight * rows + s.verticalSpace * (rows - 1) + 60);
}

int CStructureDiagramLayout::ColumnLeft(int depth, Scale s, int hpos) const {
    return Truncate((double(m_settings.boxWidth + m_settings.horizontalSpace) * depth + 20) * s.x - hpos);
}

int CStructureDiagramLayout::BoxRight(int depth, Scale s, int hpos) const {
    return Truncate((double(depth + 1) * m_settings.boxWidth + double(m_settings.horizontalSpace) * depth + 20) * s.x -
                    hpos);
}

int CStructureDiagramLayout::TrunkX(int depth, Scale s, int hpos) const {
    return Truncate(((depth + 0.5) * m_settings.horizontalSpace + double(depth + 1) * m_settings.boxWidth + 20) * s.x -
                    hpos);
}

int CStructureDiagramLayout::BoxTop(int row, Scale s, int vpos) const {
    return Truncate((double(m_settings.boxHeight + m_settings.verticalSpace) * row + 40) * s.y - vpos);
}

int CStructureDiagramLayout::RowCentre(int row, Scale s, int vpos) const {
    return Truncate(
        (double(m_settings.boxHeight + m_settings.verticalSpace) * row + m_settings.boxHeight / 2 + 40) * s.y - vpos);
}

QRect CStructureDiagramLayout::TextRect(const QRect& box, bool sideBars, int textHeight, int lineSpacing) {
    const int margin = sideBars ? 16 : 8;
    const QRect inside(box.left() + margin, box.top() + 8, box.width() - 2 * margin, box.height() - 16);
    if (textHeight <= inside.height() || lineSpacing <= 0)
        return inside;
    const int height = std::min(textHeight, TextLineCount(box, lineSpacing) * lineSpacing);
    return QRect(inside.left(), box.top() + (box.height() - height) / 2, inside.width(), height);
}

int CStructureDiagramLayout::TextLineCount(const QRect& box, int lineSpacing) {
    return std::max(1, (box.height() - 2) / std::max(1, lineSpacing));
}

QSize CStructureDiagramLayout::BoxSize(Scale s) const {
    return QSize(Truncate(m_settings.boxWidth * s.x), Truncate(m_settings.boxHeight * s.y));
}

int CStructureDiagramLayout::CircleRadius(Scale s) const {
    return Truncate(std::min(8.0, std::min(m_settings.horizontalSpace * s.x, m_settings.boxHeight * s.y) / 4));
}

void CStructureDiagramLayout::Walk(CAbstractIndexItem& root, Scale s, QPoint position,
                                   const std::function<bool(const Placed&)>& visit) const {
    // A parent stands on the row of its first leaf; each further child starts on the row after the previous
    // child's last leaf.
    struct Frame {
        CAbstractIndexItem* item;
        int depth;
        size_t next;
        int row;
    };
    const int hpos = position.x();
    const int vpos = position.y();
    int row = 0;
    std::vector<Frame> stack;
    const auto enter = [&](CAbstractIndexItem* item, int depth, int parentRow, bool firstChild) {
        Placed placed;
        placed.parentRow = parentRow;
        placed.firstChild = firstChild;
        placed.item = item;
        placed.depth = depth;
        placed.row = row;
        placed.box = QRect(QPoint(ColumnLeft(depth, s, hpos), BoxTop(row, s, vpos)), BoxSize(s));
        placed.circleCentre = QPoint(TrunkX(depth, s, hpos), RowCentre(row, s, vpos));
        placed.circleRadius = CircleRadius(s);
        if (!visit(placed))
            return false;
        stack.push_back({item, depth, 0, row});
        return true;
    };
    if (!enter(&root, 0, -1, true))
        return;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        const bool unfolded = frame.item->diagramExpanded != 0;
        if (!unfolded || frame.next >= frame.item->children.size()) {
            stack.pop_back();
            continue;
        }
        if (frame.next > 0)
            ++row;
        const bool first = frame.next == 0;
        CAbstractIndexItem* child = &frame.item->children[frame.next++];
        if (!enter(child, frame.depth + 1, frame.row, first))
            return;
    }
}

CStructureDiagramLayout::Hit CStructureDiagramLayout::HitTest(CAbstractIndexItem& root, Scale s, QPoint position,
                                                              QPoint point) const {
    Hit hit;
    Walk(root, s, position, [&](const Placed& placed) {
        const QRect& b = placed.box;
        if (point.x() >= b.left() && point.x() <= b.left() + b.width() && point.y() >= b.top() &&
            point.y() <= b.top() + b.height()) {
            hit = {Hit::Box, placed.item};
            return false;
        }
        if (!placed.item->children.empty()) {
            const int r = placed.circleRadius;
            const QPoint c = placed.circleCentre;
            if (point.x() >= c.x() - r && point.x() <= c.x() + r && point.y() >= c.y() - r && point.y() <= c.y() + r) {
                hit = {Hit::Circle, placed.item};
                return false;
            }
        }
        return true;
    });
    return hit;
}

QString CStructureDiagramLayout::BoxText(const CAbstractIndexItem& item, const StructureDiagramSettings& settings,
                                         bool distinguishPrimaryOutlineNumber) {
    QString text;
    const QString own = item.GetOutlineNumberString();
    if (settings.showPrefix)
        text = own + QLatin1Char(' ');
    if (item.unitFunction) {
        text += ShownText(item.unitFunction->name);
        if (settings.showPostfix) {
            const QString places = item.unitFunction->GetOutlineNumberText(distinguishPrimaryOutlineNumber);
            if (places != own)
                text += QStringLiteral(" (") + places + QLatin1Char(')');
        }
    }
    return text;
}
