#include "views/HierarchicalChart.h"

#include "model/TextUtilities.h"
#include "model/UnitFunction.h"

#include <algorithm>
#include <cmath>

namespace {

// A template value of the settings, when it is given.
void TakeNonZero(int& value, int setting) {
    if (setting != 0)
        value = setting;
}

} // namespace

// The packing's view of the chart's boxes.
struct CHierarchicalChart::Packer {
    CHierarchicalChart& chart;

    std::size_t ChildCount(int box) const { return chart.m_boxes[size_t(box)].children.size(); }
    int Child(int box, std::size_t index) const { return chart.m_boxes[size_t(box)].children[index]; }
    bool IsLeaf(int box, int) const { return !chart.m_boxes[size_t(box)].Expanded(); }
    void Place(int index, int x, int y) {
        Box& box = chart.m_boxes[size_t(index)];
        const PackingMetrics& m = chart.m_metrics;
        box.placed = true;
        box.chartRect = QRect(x, y, m.boxWidth, m.boxHeight);
        box.pageRect = box.chartRect.translated(-chart.m_pageOffset, 0);
        chart.Extend(box.pageRect);
        box.hiddenOnPage = !(box.pageRect.left() >= 0 && box.pageRect.left() + m.boxWidth <= chart.m_pageWidth);
    }
    void Centre(int index, int x) {
        Box& box = chart.m_boxes[size_t(index)];
        box.chartRect.moveLeft(x);
        box.pageRect = box.chartRect.translated(-chart.m_pageOffset, 0);
        chart.Extend(box.pageRect);
    }
    void Finish(int index, int spanLeft, int spanRight) {
        Box& box = chart.m_boxes[size_t(index)];
        box.spanLeft = spanLeft - chart.m_pageOffset;
        box.spanRight = spanRight - chart.m_pageOffset;
        chart.m_rows[size_t(box.depth)].push_back(index);
    }
};

int CHierarchicalChart::ReadZoom(int stored) {
    return stored >= 1 && stored <= 100 ? stored : 100;
}

void CHierarchicalChart::ApplySettings(HierarchicalIndexSettings& settings, QSize window) {
    TakeNonZero(m_boxWidth, settings.HieBoxSizeX);
    TakeNonZero(m_boxHeight, settings.HieBoxSizeY);
    TakeNonZero(m_spaceX, settings.HieBoxIntvX);
    TakeNonZero(m_spaceY, settings.HieBoxIntvY);
    if (m_fit || settings.HierZoomWindowAdj) {
        m_fit = settings.HierZoomWindowAdj != 0;
        settings.HierZoomVal = ReadZoom(settings.HierZoomVal);
        m_zoom = m_verticalScale = settings.HierZoomVal;
        ComputeMetrics(settings);
        if (m_fit)
            FitToWindow(settings, window.width(), window.height());
    } else {
        settings.HierZoomVal = ReadZoom(settings.HierZoomVal);
        m_zoom = m_verticalScale = settings.HierZoomVal;
    }
    ComputeMetrics(settings);
}

void CHierarchicalChart::ComputeMetrics(HierarchicalIndexSettings& settings) {
    settings.HierZoomVal = ReadZoom(settings.HierZoomVal);
    m_zoom = settings.HierZoomVal;
    const int z = m_zoom;
    const int v = m_verticalScale;
    m_metrics = {m_boxWidth * z / 100, m_boxHeight * v / 100, m_spaceX * z / 100, m_spaceY * v / 100};
    m_foldButton = QSize(14 * z / 100, 14 * v / 100);
    const int pitch = m_metrics.boxWidth + m_metrics.gapX;
    m_pageWidth = pitch == 0 ? MaxPageWidth : MaxPageWidth - MaxPageWidth % pitch;
    SetPageOffset();
}

void CHierarchicalChart::Clear() {
    m_boxes.clear();
    m_rows.clear();
    m_copy.reset();
    m_extent = QRect();
    m_scrollSize = QSize(0, 0);
    ResetPages();
}

void CHierarchicalChart::ResetPages() {
    m_pageWidth = MaxPageWidth;
    m_pageCount = 1;
    m_currentPage = 1;
    m_pageOffset = 0;
}

void CHierarchicalChart::Rebuild(const CAbstractIndexItem* root) {
    m_boxes.clear();
    m_rows.clear();
    m_copy.reset();
    if (!root)
        return;
    m_copy = std::make_unique<CAbstractIndexItem>();
    m_copy->children.push_back(*root);
    BuildBoxes();
}

void CHierarchicalChart::BuildBoxes() {
    // Pre-order with an explicit stack; each box knows its parent from the walk that made it.
    struct Pending {
        CAbstractIndexItem* item;
        int parent;
        int depth;
    };
    std::vector<Pending> pending{{&m_copy->children.front(), -1, 1}};
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        const int index = static_cast<int>(m_boxes.size());
        Box box;
        box.item = next.item;
        box.parent = next.parent;
        box.depth = next.depth;
        m_boxes.push_back(std::move(box));
        if (next.parent >= 0)
            m_boxes[size_t(next.parent)].children.push_back(index);
        for (auto child = next.item->children.rbegin(); child != next.item->children.rend(); ++child)
            pending.push_back({&*child, index, next.depth + 1});
    }
}

void CHierarchicalChart::Extend(const QRect& rect) {
    if (!m_extentSet) {
        m_extentLeft = rect.left();
        m_extentRight = rect.left() + rect.width();
        m_extentBottom = rect.top() + rect.height();
        m_extentSet = true;
        return;
    }
    m_extentLeft = std::min(m_extentLeft, rect.left());
    m_extentRight = std::max(m_extentRight, rect.left() + rect.width());
    m_extentBottom = std::max(m_extentBottom, rect.top() + rect.height());
}

void CHierarchicalChart::RecalcLayout() {
    m_extentSet = false;
    m_extentLeft = m_extentRight = m_extentBottom = 0;
    int depthCount = 0;
    for (Box& box : m_boxes) {
        box.placed = false;
        depthCount = std::max(depthCount, box.depth + 1);
    }
    m_rows.assign(size_t(depthCount), {});
    if (!m_boxes.empty()) {
        // The top box hangs from the chart's own root, which is never folded.
        Packer packer{*this};
        packer.Place(0, 0, 0);
        const QPoint cursor = PackTree(packer, 0, 1, 0, m_metrics);
        const int x = 0;
        const int pitch = m_metrics.boxWidth + m_metrics.gapX;
        if (x + pitch < cursor.x())
            packer.Centre(0, x + (cursor.x() - m_metrics.gapX - x - m_metrics.boxWidth) / 2);
        packer.Finish(0, x, std::max(x + m_metrics.boxWidth, cursor.x() - m_metrics.gapX));
    }
    m_extentBottom += m_metrics.gapY;
    m_extent = QRect(m_extentLeft, 0, m_extentRight - m_extentLeft, m_extentBottom);
    const int width = m_extent.width();
    int scrollWidth = width;
    if (width <= m_pageWidth) {
        m_pageCount = 1;
        m_currentPage = 1;
    } else {
        m_pageCount = (width + m_pageWidth - 1) / m_pageWidth;
        m_currentPage = std::clamp(m_currentPage, 1, m_pageCount);
        scrollWidth = m_currentPage < m_pageCount ? m_pageWidth : width - (m_pageCount - 1) * m_pageWidth;
    }
    m_scrollSize = QSize(scrollWidth, m_extent.height());
}

QRect CHierarchicalChart::FoldButtonRect(int index) const {
    const Box& box = m_boxes[size_t(index)];
    const QRect& r = box.pageRect;
    const int x = (r.left() + r.left() + r.width()) / 2 - m_foldButton.width() / 2;
    const int y = r.top() + r.height() + (m_metrics.gapY - m_foldButton.height()) / 2;
    return QRect(QPoint(x, y), m_foldButton);
}

void CHierarchicalChart::BoxesInArea(const QRect& area, std::vector<int>& boxes) const {
    boxes.clear();
    const int rowPitch = m_metrics.boxHeight + m_metrics.gapY;
    if (rowPitch <= 0 || m_rows.empty())
        return;
    // A box's connectors and fold button reach half a gap above and below its row.
    const int firstRow = std::max(1, area.top() / rowPitch);
    const int lastRow = std::min(int(m_rows.size()) - 1, (area.bottom() + m_metrics.gapY) / rowPitch + 1);
    for (int depth = firstRow; depth <= lastRow; ++depth) {
        const std::vector<int>& row = m_rows[size_t(depth)];
        auto first = std::lower_bound(row.begin(), row.end(), area.left(),
                                      [this](int box, int left) { return m_boxes[size_t(box)].spanRight < left; });
        for (auto it = first; it != row.end() && m_boxes[size_t(*it)].spanLeft <= area.right(); ++it)
            boxes.push_back(*it);
    }
}

CHierarchicalChart::Hit CHierarchicalChart::HitTest(QPoint point) const {
    std::vector<int> boxes;
    BoxesInArea(QRect(point, QSize(1, 1)), boxes);
    for (int index : boxes) {
        const Box& box = m_boxes[size_t(index)];
        if (!box.Shown())
            continue;
        if (box.pageRect.contains(point))
            return {Hit::Box, index};
        if (box.HasChildren() && FoldButtonRect(index).contains(point))
            return {Hit::FoldButton, index};
    }
    return {};
}

void CHierarchicalChart::ConnectorLines(int index, std::vector<std::pair<QPoint, QPoint>>& lines) const {
    const Box& box = m_boxes[size_t(index)];
    if (!box.Shown())
        return;
    const QRect& r = box.pageRect;
    const int cx = (r.left() + r.left() + r.width()) / 2;
    const int top = r.top();
    const int bottom = r.top() + r.height();
    const int half = m_metrics.gapY / 2;
    lines.push_back({QPoint(cx, top), QPoint(cx, top - half - 1)});
    if (!box.HasChildren())
        return;
    // Folded or not, the line down reaches the fold button.
    lines.push_back({QPoint(cx, bottom), QPoint(cx, bottom + half + 1)});
    if (!box.Expanded() || box.children.size() < 2)
        return;
    // Boxes hidden on the page count, so that the bar reaches the page's edge.
    int left = 0;
    int right = 0;
    int childTop = 0;
    bool any = false;
    for (int child : box.children) {
        const Box& c = m_boxes[size_t(child)];
        if (!c.placed)
            continue;
        const int cl = c.pageRect.left();
        const int cr = c.pageRect.left() + c.pageRect.width();
        left = any ? std::min(left, cl) : cl;
        right = any ? std::max(right, cr) : cr;
        childTop = c.pageRect.top();
        any = true;
    }
    if (any) {
        const int y = childTop - half;
        lines.push_back({QPoint(left + m_metrics.boxWidth / 2, y), QPoint(right - m_metrics.boxWidth / 2, y)});
    }
}

void CHierarchicalChart::SetFolded(int index, bool folded, CAbstractIndexItem* documentRoot) {
    Box& box = m_boxes[size_t(index)];
    box.item->chartExpanded = folded ? 0 : 1;
    if (documentRoot) {
        if (CAbstractIndexItem* own =
                CAbstractIndexItem::FindByOutlineNumber(documentRoot, box.item->GetOutlineNumber(), 0))
            own->chartExpanded = box.item->chartExpanded;
    }
}

bool CHierarchicalChart::RevealBox(int index, CAbstractIndexItem* documentRoot) {
    bool changed = false;
    for (int parent = m_boxes[size_t(index)].parent; parent >= 0; parent = m_boxes[size_t(parent)].parent) {
        if (!m_boxes[size_t(parent)].Expanded()) {
            SetFolded(parent, false, documentRoot);
            changed = true;
        }
    }
    if (changed)
        RecalcLayout();
    if (m_pageCount > 1) {
        const int page = PageOfBox(index);
        if (page != m_currentPage) {
            SetPage(page);
            changed = true;
        }
    }
    return changed;
}

int CHierarchicalChart::PageOfBox(int index) const {
    const QRect& r = m_boxes[size_t(index)].pageRect;
    int page = m_currentPage;
    int right = r.left() + r.width();
    if (right >= 0) {
        while (right > m_pageWidth && page < m_pageCount) {
            right -= m_pageWidth;
            ++page;
        }
    } else {
        while (right < 0 && page > 1) {
            right += m_pageWidth;
            --page;
        }
    }
    return page;
}

bool CHierarchicalChart::SetPage(int page) {
    if (page == 0 || page > m_pageCount || page == m_currentPage || m_pageCount == 1)
        return false;
    m_currentPage = page;
    SetPageOffset();
    RecalcLayout();
    return true;
}

bool CHierarchicalChart::FitToWindow(HierarchicalIndexSettings& settings, int width, int height) {
    if (!settings.HierZoomWindowAdj)
        return false;
    const int bw = m_boxWidth;
    const int bh = m_boxHeight;
    const int sx = m_spaceX;
    const int sy = m_spaceY;
    // At tiny sizes a pitch may scale to nothing: the steps are at least 1.
    const int px = std::max(1, m_metrics.boxWidth + m_metrics.gapX);
    const int py = std::max(1, m_metrics.boxHeight + m_metrics.gapY);
    const int columns = m_extent.width() / px;
    const int rows = m_extent.height() / py;
    const int zx = std::min(100, width * 100 / std::max(1, (columns + 1) * (bw + sx) - sx));
    const int zy = height * 100 / std::max(1, (rows + 1) * (bh + sy) - sy);
    const int tallest = bh == 0 ? 100 : static_cast<int>(double(bw) * zx * 1.618 / bh);
    const int vertical = std::min({100, zy, tallest});
    if ((zx != 0 && zx != settings.HierZoomVal) || (vertical != 0 && vertical != m_verticalScale)) {
        settings.HierZoomVal = zx;
        m_verticalScale = vertical;
        if (m_pageCount > 1)
            m_currentPage = 1;
        ComputeMetrics(settings);
        RecalcLayout();
        return true;
    }
    return false;
}

int CHierarchicalChart::CheckedReduction(const HierarchicalIndexSettings& settings) {
    if (settings.HierZoomWindowAdj)
        return 0;
    for (int percent : {50, 60, 70, 80, 90})
        if (settings.HierZoomVal == percent)
            return percent;
    return 100;
}

bool CHierarchicalChart::ChooseReduction(HierarchicalIndexSettings& settings, int percent) {
    m_fit = false;
    settings.HierZoomWindowAdj = 0;
    if (percent == settings.HierZoomVal)
        return false;
    settings.HierZoomVal = percent;
    m_zoom = m_verticalScale = percent;
    if (m_pageCount > 1 && m_currentPage != 1)
        m_currentPage = 1;
    ComputeMetrics(settings);
    RecalcLayout();
    return true;
}

void CHierarchicalChart::ChooseFit(HierarchicalIndexSettings& settings, QSize window) {
    m_fit = true;
    settings.HierZoomWindowAdj = 1;
    FitToWindow(settings, window.width(), window.height());
}

bool CHierarchicalChart::PreviousPage() {
    if (m_currentPage <= 1)
        return false;
    --m_currentPage;
    SetPageOffset();
    RecalcLayout();
    return true;
}

bool CHierarchicalChart::NextPage() {
    if (m_currentPage >= m_pageCount)
        return false;
    ++m_currentPage;
    SetPageOffset();
    RecalcLayout();
    return true;
}

QRect CHierarchicalChart::NumberRect(const QRect& box, int fontAscent) {
    const int divider = box.top() + DividerOffset(box);
    // The baseline one pixel above the divider at the lowest.
    const int top = std::min(box.top() + 1, divider - 1 - fontAscent);
    return QRect(box.left() + 1, top, box.width() - 2, std::max(1, divider - top));
}

QRect CHierarchicalChart::NameRect(const QRect& box) {
    const int divider = DividerOffset(box);
    const int top = divider + 1 + (2 * divider) / 3;
    return QRect(box.left() + 1, box.top() + top, box.width() - 2, box.height() - 1 - top);
}

QPoint CHierarchicalChart::CorrectScroll(QPoint position, QSize oldSize, QSize newSize, QSize window) {
    int x = position.x();
    int y = position.y();
    if (x != 0 && newSize.width() > oldSize.width())
        x = x - oldSize.width() + newSize.width();
    if (y != 0 && newSize.height() > oldSize.height())
        y = y - oldSize.height() + newSize.height();
    if (window.width() >= newSize.width())
        x = 0;
    if (window.height() >= newSize.height())
        y = 0;
    if (x != 0 && window.width() + x > newSize.width())
        x = newSize.width() - window.width();
    if (y != 0 && window.height() + y > newSize.height())
        y = newSize.height() - window.height();
    return QPoint(x, y);
}

QString CHierarchicalChart::BoxTooltip(const CAbstractIndexItem& item, const ModelOptions& options) {
    const QString outline = item.GetOutlineNumberString();
    QString tip = outline + QLatin1Char(' ') + ShownText(item.GetDisplayText(options));
    if (item.unitFunction) {
        const QString places = item.unitFunction->GetOutlineNumberText(false);
        if (places != outline)
            tip += QStringLiteral(" (") + places + QLatin1Char(')');
    }
    // A tooltip shows a line however wide it is: a long name goes on in lines within the screen.
    return WrappedText(tip, TooltipColumns);
}
