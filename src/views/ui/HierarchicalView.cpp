#include "views/ui/HierarchicalView.h"

#include "model/DocumentData.h"
#include "model/StandardColours.h"
#include "platform/MessageBox.h"
#include "printing/PrintHeaderFooter.h"
#include "printing/PrintJob.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"
#include "views/DrawingConsent.h"
#include "views/HierarchicalChartPrint.h"
#include "views/IndexViewState.h"
#include "views/ViewHost.h"
#include "views/ui/ViewWidgets.h"

#include <QContextMenuEvent>
#include <QDateTime>
#include <QHelpEvent>
#include <QMenu>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <utility>

namespace {

int AlignmentFlag(int alignment) {
    return alignment == 0 ? Qt::AlignLeft : alignment == 2 ? Qt::AlignRight : Qt::AlignHCenter;
}

} // namespace

CHierarchicalView::CHierarchicalView(CViewHost& host, QWidget* parent) : QAbstractScrollArea(parent), m_host(host) {
    setWindowTitle(LoadString(StringId::HierarchicalViewTitle));
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 200);
}

void CHierarchicalView::OnUpdate() {
    if (!isVisible()) {
        m_updatePending = true;
        return;
    }
    if (!m_host.DrawingConsent().ChartAllowed())
        return;
    m_updatePending = false;
    if (!m_host.HasDocument()) {
        m_chart.Clear();
        UpdateScrollBars();
        viewport()->update();
        return;
    }
    const QPoint position = ScrollPosition();
    const QSize oldSize = m_chart.ScrollSize();
    CDocumentData& document = m_host.Document();
    m_chart.ApplySettings(document.indexViewSettings, viewport()->size());
    m_chart.Rebuild(&document.indexRoot);
    m_chart.RecalcLayout();
    UpdateScrollBars();
    ScrollTo(CHierarchicalChart::CorrectScroll(position, oldSize, m_chart.ScrollSize(), viewport()->size()));
    viewport()->update();
    if (m_pendingViewState)
        ApplyViewState(*m_pendingViewState);
}

void CHierarchicalView::StoreViewState(IndexViewInfo& info) const {
    if (m_pendingViewState) {
        info.HierClickedInternalID = m_pendingViewState->HierClickedInternalID;
        info.HierViewPageNum = m_pendingViewState->HierViewPageNum;
        info.HierHScrollPosition = m_pendingViewState->HierHScrollPosition;
        info.HierVScrollPosition = m_pendingViewState->HierVScrollPosition;
        return;
    }
    info.HierClickedInternalID = m_clickedInternalId;
    info.HierViewPageNum = static_cast<uint16_t>(m_chart.CurrentPage());
    info.HierHScrollPosition = StoredScrollPosition(horizontalScrollBar()->value(), horizontalScrollBar()->maximum());
    info.HierVScrollPosition = StoredScrollPosition(verticalScrollBar()->value(), verticalScrollBar()->maximum());
}

void CHierarchicalView::RestoreViewState(const IndexViewInfo& info) {
    m_clickedInternalId = info.HierClickedInternalID;
    if (m_updatePending || m_chart.IsEmpty())
        m_pendingViewState = info;
    else
        ApplyViewState(info);
}

void CHierarchicalView::ApplyViewState(const IndexViewInfo& info) {
    m_pendingViewState.reset();
    if (m_chart.SetPage(info.HierViewPageNum))
        UpdateScrollBars();
    ScrollTo(QPoint(info.HierHScrollPosition, info.HierVScrollPosition));
    viewport()->update();
}

void CHierarchicalView::ApplySettings() {
    if (!m_host.HasDocument() || m_chart.IsEmpty())
        return;
    m_chart.ApplySettings(m_host.Document().indexViewSettings, viewport()->size());
    Relayout(false);
}

bool CHierarchicalView::ConfirmDrawing() {
    if (m_host.DrawingConsent().ChartAllowed())
        return true;
    if (m_host.HasDocument() && m_host.DrawingConsent().ConfirmChart(m_host.Document().indexRoot))
        OnUpdate();
    return false;
}

void CHierarchicalView::Relayout(bool resetScroll) {
    const QPoint position = resetScroll ? QPoint() : ScrollPosition();
    m_chart.RecalcLayout();
    UpdateScrollBars();
    ScrollTo(position);
    viewport()->update();
}

void CHierarchicalView::UpdateScrollBars() {
    const QSize size = m_chart.ScrollSize();
    const QSize window = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, size.width() - window.width()));
    horizontalScrollBar()->setPageStep(window.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, size.height() - window.height()));
    verticalScrollBar()->setPageStep(window.height());
    verticalScrollBar()->setSingleStep(20);
}

QPoint CHierarchicalView::ScrollPosition() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CHierarchicalView::ScrollTo(QPoint position) {
    horizontalScrollBar()->setValue(position.x());
    verticalScrollBar()->setValue(position.y());
}

void CHierarchicalView::scrollContentsBy(int, int) {
    viewport()->update();
}

void CHierarchicalView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    if (m_chart.IsEmpty() || !m_host.HasDocument())
        return;
    const QPoint scroll = ScrollPosition();
    painter.translate(-scroll);
    const QRect area = event->rect().translated(scroll);
    std::vector<int> boxes;
    m_chart.BoxesInArea(area, boxes);
    const HierarchicalIndexSettings& settings = m_host.Document().indexViewSettings;
    const QFont numberFont =
        ViewWidgets::FontOf(settings.HieIDFont, m_chart.ScaledFontSize(settings.HieIDFont.pointSize));
    const QFont nameFont = ViewWidgets::FontOf(settings.HieFont, m_chart.ScaledFontSize(settings.HieFont.pointSize));
    QFont foldFont(GetDefaultUIFontName());
    foldFont.setPointSizeF(std::max(1, m_chart.FoldButtonFontSize()) / 10.0);
    const ModelOptions options = m_host.Document().GetModelOptions();
    const CAbstractIndexItem& copyRoot = *m_chart.Boxes().front().item;
    std::vector<std::pair<QPoint, QPoint>> lines;
    painter.setPen(QPen(Qt::black, 1));
    for (int index : boxes)
        m_chart.ConnectorLines(index, lines);
    for (const auto& [from, to] : lines)
        painter.drawLine(from, to);
    for (int index : boxes) {
        const CHierarchicalChart::Box& box = m_chart.Boxes()[size_t(index)];
        if (!box.Shown())
            continue;
        const QRect r = box.pageRect;
        painter.fillRect(r, palette().base());
        if (box.item->unitFunction) {
            const QColor colour = box.item->cycleStop ? QColor(255, 0, 0) : QColor(Qt::black);
            painter.setPen(QPen(colour, 1, box.item->HasSolidFrame(copyRoot) ? Qt::SolidLine : Qt::DotLine));
            painter.drawRect(r.adjusted(0, 0, -1, -1));
            const int separator = CHierarchicalChart::DividerOffset(r);
            painter.drawLine(r.left() + 1, r.top() + separator, r.right() - 1, r.top() + separator);
            painter.setPen(Qt::black);
            painter.setFont(numberFont);
            const QRect numberRect = CHierarchicalChart::NumberRect(r, painter.fontMetrics().ascent());
            painter.drawText(numberRect, AlignmentFlag(settings.HieIDAlign) | Qt::AlignTop,
                             painter.fontMetrics().elidedText(box.item->GetOutlineNumberString(), Qt::ElideMiddle,
                                                              numberRect.width()));
            const QRect nameRect = CHierarchicalChart::NameRect(r);
            painter.setFont(nameFont);
            const auto measure = [&painter](const QString& text) {
                return painter.fontMetrics().horizontalAdvance(text);
            };
            painter.drawText(
                nameRect, AlignmentFlag(settings.HieFuncAlign) | Qt::AlignTop,
                CHierarchicalChartPrint::FitName(box.item->GetDisplayText(options), nameRect.width(), measure));
        }
        if (box.HasChildren()) {
            const QRect button = m_chart.FoldButtonRect(index);
            painter.fillRect(button, palette().window());
            painter.setPen(Qt::black);
            painter.setFont(foldFont);
            painter.drawText(button, Qt::AlignCenter, box.Expanded() ? QStringLiteral("-") : QStringLiteral("+"));
        }
    }
}

void CHierarchicalView::mousePressEvent(QMouseEvent* event) {
    if (!ConfirmDrawing() || event->button() != Qt::LeftButton)
        return;
    const CHierarchicalChart::Hit hit = m_chart.HitTest(event->position().toPoint() + ScrollPosition());
    if (hit.kind == CHierarchicalChart::Hit::FoldButton) {
        const bool folded = m_chart.Boxes()[size_t(hit.box)].Expanded();
        m_chart.SetFolded(hit.box, folded, &m_host.Document().indexRoot);
        Relayout(false);
    } else if (hit.kind == CHierarchicalChart::Hit::Box) {
        if (CUnitFunction* function = m_chart.Boxes()[size_t(hit.box)].item->unitFunction) {
            m_clickedInternalId = function->InternalID;
            m_host.OpenFunctionTab(function);
        }
        RevealBox(hit.box);
    }
}

bool CHierarchicalView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QAbstractScrollArea::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const CHierarchicalChart::Hit hit = m_chart.HitTest(help->pos() + ScrollPosition());
    if (hit.kind == CHierarchicalChart::Hit::Box)
        QToolTip::showText(
            help->globalPos(),
            CHierarchicalChart::BoxTooltip(*m_chart.Boxes()[size_t(hit.box)].item, m_host.Document().GetModelOptions()),
            viewport());
    else
        QToolTip::hideText();
    return true;
}

void CHierarchicalView::RevealBox(int box) {
    if (box < 0 || box >= int(m_chart.Boxes().size()))
        return;
    if (m_chart.RevealBox(box, &m_host.Document().indexRoot))
        Relayout(true);
    const QRect r = m_chart.Boxes()[size_t(box)].pageRect;
    const QSize window = viewport()->size();
    ScrollTo(QPoint(std::max(0, r.left() - (window.width() - r.width()) / 2),
                    std::max(0, r.top() - (window.height() - r.height()) / 2)));
}

void CHierarchicalView::contextMenuEvent(QContextMenuEvent* event) {
    if (!ConfirmDrawing())
        return;
    const CHierarchicalChart::Hit hit = m_chart.HitTest(event->pos() + ScrollPosition());
    if (hit.kind == CHierarchicalChart::Hit::Box) {
        // The menu acts on the document's own item at the same place, not on the chart's copy.
        CDocumentData& document = m_host.Document();
        const OutlineNumber number = m_chart.Boxes()[size_t(hit.box)].item->GetOutlineNumber();
        if (CAbstractIndexItem* item = CAbstractIndexItem::FindByOutlineNumber(&document.indexRoot, number, 0))
            ViewWidgets::ShowIndexContextMenu(m_host, *item, event->globalPos(), this);
        return;
    }
    ShowReductionMenu(event->globalPos());
}

void CHierarchicalView::ShowReductionMenu(const QPoint& globalPosition) {
    if (!m_host.HasDocument())
        return;
    HierarchicalIndexSettings& settings = m_host.Document().indexViewSettings;
    const CMessageContext& context = m_host.MessageContext();
    QMenu menu(this);
    const int checked = CHierarchicalChart::CheckedReduction(settings);
    for (int percent : {100, 90, 80, 70, 60, 50}) {
        QAction* action = menu.addAction(LoadString(StringId::ReductionPercent).arg(percent));
        action->setData(percent);
        action->setCheckable(true);
        action->setChecked(checked == percent);
    }
    QAction* fit = menu.addAction(Msg::AdjustWidth(context));
    fit->setCheckable(true);
    fit->setChecked(checked == 0);
    menu.addSeparator();
    QAction* previous = menu.addAction(QStringLiteral("<< ") + Msg::PreviousPage(context) + QStringLiteral(" <<"));
    QAction* next = menu.addAction(QStringLiteral(">> ") + Msg::NextPage(context) + QStringLiteral(" >>"));
    previous->setEnabled(m_chart.PageCount() > 1 && m_chart.CurrentPage() > 1);
    next->setEnabled(m_chart.PageCount() > 1 && m_chart.CurrentPage() < m_chart.PageCount());
    const QAction* chosen = menu.exec(globalPosition);
    if (!chosen)
        return;
    const int top = verticalScrollBar()->value();
    if (chosen == fit) {
        m_chart.ChooseFit(settings, viewport()->size());
        Relayout(false);
    } else if (chosen == previous) {
        if (m_chart.PreviousPage()) {
            UpdateScrollBars();
            ScrollTo(QPoint(horizontalScrollBar()->maximum(), top));
        }
    } else if (chosen == next) {
        if (m_chart.NextPage()) {
            UpdateScrollBars();
            ScrollTo(QPoint(0, top));
        }
    } else if (m_chart.ChooseReduction(settings, chosen->data().toInt())) {
        Relayout(true);
    }
    viewport()->update();
}

void CHierarchicalView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (m_host.HasDocument() && !m_chart.IsEmpty() &&
        m_chart.FitToWindow(m_host.Document().indexViewSettings, viewport()->width(), viewport()->height()))
        Relayout(false);
    else
        UpdateScrollBars();
}

void CHierarchicalView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    if (m_updatePending)
        OnUpdate();
}

bool CHierarchicalView::PreparePrint() {
    if (!m_host.HasDocument() || !m_print.Prepare(m_host.Document(), m_host.ActiveTabFunction())) {
        platform::ShowMessageBox(LoadString(StringId::NothingToPrintInChart), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return false;
    }
    m_host.Document().printSettings.printKind = 2;
    return true;
}

CHierarchicalView::PrintGeometry CHierarchicalView::MeasurePrint(const QPagedPaintDevice& device) const {
    const CDocumentData& document = m_host.Document();
    const int factor = CHierarchicalChartPrint::PrintFactor(document);
    PrintGeometry geometry;
    // One blank of the 10.5-point interface font at the print scale, measured on the device, sets the unit.
    QFont unitFont(GetDefaultUIFontName());
    unitFont.setPointSizeF(std::max(1, 105 * factor / 100) / 10.0);
    geometry.unit = std::max(1, static_cast<int>(QFontMetrics(unitFont, &device).height() / 10.0 + 0.5));
    geometry.page = QRect(QPoint(0, 0), device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    geometry.area = PrintDrawingArea(document, geometry.page, device);
    geometry.pages = m_print.Pages(geometry.unit, geometry.area);
    return geometry;
}

int CHierarchicalView::PrintPageCount(const QPagedPaintDevice& device) const {
    return m_host.HasDocument() ? static_cast<int>(MeasurePrint(device).pages.size()) : 0;
}

const CMessageContext& CHierarchicalView::MessageContext() const {
    return m_host.MessageContext();
}

int CHierarchicalView::Print(QPagedPaintDevice& device, PrintPageRange range) {
    if (!PreparePrint())
        return 0;
    const CHierarchicalChartPrint& print = m_print;
    CDocumentData& document = m_host.Document();
    const HierarchicalIndexSettings& settings = document.indexViewSettings;
    const int factor = CHierarchicalChartPrint::PrintFactor(document);
    const PrintGeometry geometry = MeasurePrint(device);
    const int unit = geometry.unit;
    const QRect& page = geometry.page;
    const QRect& area = geometry.area;
    const std::vector<QPoint>& pages = geometry.pages;
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const qint64 printTime = QDateTime::currentSecsSinceEpoch();
    const QFont numberFont = ViewWidgets::FontOf(settings.HieIDFont, settings.HieIDFont.pointSize * factor / 100);
    const QFont nameFont = ViewWidgets::FontOf(settings.HieFont, settings.HieFont.pointSize * factor / 100);
    const ModelOptions options = document.GetModelOptions();
    // Stored colours hold red in the low byte.
    const quint32 stored = kStandardColours[settings.HieColorDescOn % 16];
    const QColor frameColour(int(stored & 0xFF), int((stored >> 8) & 0xFF), int((stored >> 16) & 0xFF));
    int printedPages = 0;
    for (size_t n = 0; n < pages.size(); ++n) {
        if (!range.Contains(int(n) + 1))
            continue;
        if (printedPages++ > 0)
            device.newPage();
        const QPoint origin = pages[n];
        painter.setClipping(false);
        PrintHeaderFooter(painter, document, page, {int(n) + 1, int(pages.size()), m_host.DocumentPath(), printTime});
        painter.setClipRect(area);
        for (const CHierarchicalChartPrint::Record& record : print.Records()) {
            const QRect r = CHierarchicalChartPrint::OnPage(record.rect, unit, origin);
            if (!r.intersects(area))
                continue;
            painter.setPen(QPen(frameColour, 3));
            const QPoint corners[4] = {r.topLeft(), QPoint(r.left() + r.width(), r.top()),
                                       QPoint(r.left() + r.width(), r.top() + r.height()),
                                       QPoint(r.left(), r.top() + r.height())};
            for (int side = 0; side < 4; ++side) {
                QPoint a = corners[side];
                QPoint b = corners[(side + 1) % 4];
                if (CHierarchicalChartPrint::ClipSegment(a, b, area))
                    painter.drawLine(a, b);
            }
            painter.setPen(QPen(Qt::black, 3));
            for (auto [a, b] : print.Connector(record)) {
                a = QPoint(a.x() * unit - origin.x(), a.y() * unit - origin.y());
                b = QPoint(b.x() * unit - origin.x(), b.y() * unit - origin.y());
                if (CHierarchicalChartPrint::ClipSegment(a, b, area))
                    painter.drawLine(a, b);
            }
            const int third = r.height() / 3;
            const QRect space = r.adjusted(15, 15, -15, 0);
            painter.setFont(numberFont);
            const auto measure = [&painter](const QString& text) {
                return painter.fontMetrics().horizontalAdvance(text);
            };
            painter.drawText(
                QRect(space.left(), space.top(), space.width(), third),
                AlignmentFlag(settings.HieIDAlign) | Qt::AlignVCenter,
                CHierarchicalChartPrint::FitNumber(record.item->GetOutlineNumberString(), space.width(), measure));
            painter.setFont(nameFont);
            painter.drawText(
                QRect(space.left(), space.top() + third, space.width(), 2 * third),
                AlignmentFlag(settings.HieFuncAlign) | Qt::AlignVCenter,
                CHierarchicalChartPrint::FitName(record.item->GetDisplayText(options), space.width(), measure));
        }
    }
    painter.end();
    return printedPages;
}
