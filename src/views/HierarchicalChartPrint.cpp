#include "views/HierarchicalChartPrint.h"

#include "model/DocumentData.h"
#include "model/TextUtilities.h"
#include "views/HierarchicalChart.h"
#include "views/TreePacking.h"

#include <algorithm>
#include <climits>

namespace {

struct Node {
    const CAbstractIndexItem* item;
    int parent;
    std::vector<int> children;
    QRect rect;
    int record = -1;
};

const QString kEllipsis = QStringLiteral("...");

} // namespace

struct CHierarchicalChartPrint::Packer {
    std::vector<Node>& nodes;
    std::vector<Record>& records;
    int depthLimit;
    int width;
    int height;

    std::size_t ChildCount(int node) const { return nodes[size_t(node)].children.size(); }
    int Child(int node, std::size_t index) const { return nodes[size_t(node)].children[index]; }
    bool IsLeaf(int node, int depth) const { return depth >= depthLimit || nodes[size_t(node)].children.empty(); }
    void Place(int node, int x, int y) { nodes[size_t(node)].rect = QRect(x, y, width, height); }
    void Centre(int node, int x) { nodes[size_t(node)].rect.moveLeft(x); }
    void Finish(int node, int, int) {
        Node& n = nodes[size_t(node)];
        n.record = static_cast<int>(records.size());
        records.push_back({n.item, n.rect, n.parent});
    }
};

int CHierarchicalChartPrint::PrintFactor(const CDocumentData& document) {
    const PrintSection& section = document.printSettings.sections[PrintSettings::HierarchicalIndex];
    return section.zoom * CHierarchicalChart::ReadZoom(document.indexViewSettings.HierZoomVal) / 100;
}

bool CHierarchicalChartPrint::Prepare(const CDocumentData& document, const CUnitFunction* current) {
    m_records.clear();
    m_container.reset();
    const HierarchicalIndexSettings& view = document.indexViewSettings;
    m_boxWidth = view.HieBoxSizeX ? view.HieBoxSizeX : 140;
    m_boxHeight = view.HieBoxSizeY ? view.HieBoxSizeY : 50;
    m_spaceX = view.HieBoxIntvX ? view.HieBoxIntvX : 20;
    m_spaceY = view.HieBoxIntvY ? view.HieBoxIntvY : 20;
    const CAbstractIndexItem& root = document.indexRoot;
    if (!root.unitFunction)
        return false;
    // Whatever the range, a current unit function without a place has nothing to print.
    const CUnitFunction* function = current ? current : document.registry.origin;
    if (!function || (!function->primaryPlace && function != document.registry.origin))
        return false;
    const OutlineNumber number = function->GetPrimaryOutlineNumber();
    const CAbstractIndexItem* found =
        CAbstractIndexItem::FindByOutlineNumber(const_cast<CAbstractIndexItem*>(&root), number, 0);
    if (!found)
        return false;
    const int range = document.printSettings.sections[PrintSettings::HierarchicalIndex].scope;
    const CAbstractIndexItem* start = &root;
    int startDepth = 0;
    int depthLimit = INT_MAX;
    if (range == 1 || range == 2) {
        start = found;
        startDepth = static_cast<int>(number.size());
        if (range == 2)
            depthLimit = startDepth + 1;
    }
    m_container = std::make_unique<CAbstractIndexItem>();
    m_container->children.push_back(*start);

    // The items as a flat tree, each knowing its parent from the walk.
    std::vector<Node> nodes;
    nodes.push_back({m_container.get(), -1, {}, {}, -1});
    std::vector<int> pending{0};
    while (!pending.empty()) {
        const int index = pending.back();
        pending.pop_back();
        const CAbstractIndexItem* item = nodes[size_t(index)].item;
        const size_t first = nodes.size();
        for (const CAbstractIndexItem& child : item->children) {
            nodes[size_t(index)].children.push_back(static_cast<int>(nodes.size()));
            nodes.push_back({&child, index, {}, {}, -1});
        }
        for (size_t i = nodes.size(); i > first; --i)
            pending.push_back(static_cast<int>(i - 1));
    }
    Packer packer{nodes, m_records, depthLimit, m_boxWidth, m_boxHeight};
    PackTree(packer, 0, startDepth, -1, PackingMetrics{m_boxWidth, m_boxHeight, m_spaceX, m_spaceY});
    // Parents as records; the container is not printed.
    for (Record& record : m_records)
        record.parent = record.parent > 0 ? nodes[size_t(record.parent)].record : -1;
    return !m_records.empty();
}

QRect CHierarchicalChartPrint::OnPage(const QRect& rect, int factor, QPoint origin) {
    return QRect(rect.left() * factor - origin.x(), rect.top() * factor - origin.y(), rect.width() * factor,
                 rect.height() * factor);
}

std::vector<QPoint> CHierarchicalChartPrint::Pages(int factor, const QRect& area) const {
    std::vector<QPoint> pages;
    if (m_records.empty() || area.width() <= 0 || area.height() <= 0)
        return pages;
    int minLeft = INT_MAX;
    int maxRight = INT_MIN;
    int minTop = INT_MAX;
    int maxBottom = INT_MIN;
    for (const Record& record : m_records) {
        const QRect r = OnPage(record.rect, factor, QPoint());
        minLeft = std::min(minLeft, r.left());
        maxRight = std::max(maxRight, r.left() + r.width());
        minTop = std::min(minTop, r.top());
        maxBottom = std::max(maxBottom, r.top() + r.height());
    }
    const int w = area.width();
    const int h = area.height();
    const int columns = (maxRight - minLeft) / w + 1;
    const int rows = (maxBottom - minTop) / h + 1;
    const int shift = (area.left() + area.width() - maxRight % w) / 2;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QPoint origin(column * w - shift, (minTop - area.top()) + row * h);
            const QRect cell = area.translated(origin);
            const bool reached = std::any_of(m_records.begin(), m_records.end(), [&](const Record& record) {
                return OnPage(record.rect, factor, QPoint()).intersects(cell);
            });
            if (reached)
                pages.push_back(origin);
        }
    }
    return pages;
}

std::vector<std::pair<QPoint, QPoint>> CHierarchicalChartPrint::Connector(const Record& child) const {
    if (child.parent < 0)
        return {};
    const QRect& p = m_records[size_t(child.parent)].rect;
    const QRect& c = child.rect;
    const QPoint start(p.left() + p.width() / 2, p.top() + p.height());
    const QPoint bend(start.x(), start.y() + m_spaceY / 2);
    const QPoint end(c.left() + c.width() / 2, c.top());
    return {{start, bend}, {bend, QPoint(end.x(), bend.y())}, {QPoint(end.x(), bend.y()), end}};
}

bool CHierarchicalChartPrint::ClipSegment(QPoint& a, QPoint& b, const QRect& area) {
    // Liang-Barsky against the closed area.
    const double x0 = a.x();
    const double y0 = a.y();
    const double dx = b.x() - x0;
    const double dy = b.y() - y0;
    double t0 = 0.0;
    double t1 = 1.0;
    const double left = area.left();
    const double right = area.left() + area.width() - 1;
    const double top = area.top();
    const double bottom = area.top() + area.height() - 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - left, right - x0, y0 - top, bottom - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    b = QPoint(qRound(x0 + t1 * dx), qRound(y0 + t1 * dy));
    a = QPoint(qRound(x0 + t0 * dx), qRound(y0 + t0 * dy));
    return true;
}

namespace {

// The largest count of leading characters whose width and that of "..." are less than the space. Only as much of
// the text is measured as the space can show, here and in the test whether the whole text fits.
qsizetype FittingBeforeEllipsis(const QString& text, int space, const std::function<int(const QString&)>& measure) {
    return FittingLength(text, space - measure(kEllipsis) - 1, measure);
}

} // namespace

QString CHierarchicalChartPrint::FitNumber(const QString& text, int space,
                                           const std::function<int(const QString&)>& measure) {
    if (FittingLength(text, space, measure) == text.size())
        return text;
    const qsizetype half = std::max<qsizetype>(0, (FittingBeforeEllipsis(text, space, measure) - 1) / 2);
    return text.left(half) + kEllipsis + text.right(half);
}

QString CHierarchicalChartPrint::FitName(const QString& text, int space,
                                         const std::function<int(const QString&)>& measure) {
    if (FittingLength(text, space, measure) == text.size())
        return text;
    return text.left(std::max<qsizetype>(0, FittingBeforeEllipsis(text, space, measure) - 1)) + kEllipsis;
}
