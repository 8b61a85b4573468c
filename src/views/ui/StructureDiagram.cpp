#include "views/ui/StructureDiagram.h"

#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "platform/ui/CaptionLines.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"
#include "views/DrawingConsent.h"
#include "views/StructureDiagramLayout.h"
#include "views/ViewHost.h"
#include "views/ui/ViewWidgets.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

namespace {

const int kZooms[] = {0, 100, 90, 80, 70, 60, 50};
// What one page left, right, up or down moves the picture, in pixels of the scaled picture.
constexpr int kPageScrollStep = 100;

} // namespace

class CStructureDiagram::PictureArea : public QWidget {
public:
    explicit PictureArea(CStructureDiagram& pane) : QWidget(&pane), m_pane(pane) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        CViewHost& host = m_pane.m_host;
        if (!host.HasDocument() || !host.DrawingConsent().DiagramAllowed())
            return;
        CDocumentData& document = host.Document();
        const CStructureDiagramLayout layout(document.environment.structureDiagram);
        const CStructureDiagramLayout::Scale scale = layout.Scales(document.indexRoot, width());
        m_pane.Paint(painter, QPoint(m_pane.m_horizontal->value(), m_pane.m_vertical->value()), scale.x, scale.y,
                     false);
    }

private:
    CStructureDiagram& m_pane;
};

CStructureDiagram::CStructureDiagram(CViewHost& host, QWidget* parent) : QWidget(parent), m_host(host) {
    setMinimumSize(200, 200);
    m_zoom = new QComboBox(this);
    m_zoom->addItem(Msg::AdjustWidth(host.MessageContext()));
    for (int i = 1; i < 7; ++i)
        m_zoom->addItem(LoadString(StringId::ReductionPercent).arg(kZooms[i]));
    m_zoom->setGeometry(8, 12, 160, 24);
    m_copy = new QPushButton(Msg::CopyAsAnImage(host.MessageContext()), this);
    m_copy->setGeometry(176, 12, 140, 24);
    m_picture = new PictureArea(*this);
    m_picture->installEventFilter(this);
    m_horizontal = new QScrollBar(Qt::Horizontal, this);
    m_vertical = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {m_horizontal, m_vertical}) {
        connect(bar, &QScrollBar::valueChanged, m_picture, qOverload<>(&QWidget::update));
        // A page moves the picture by a fixed step, whatever part of it the pane shows.
        connect(bar, &QScrollBar::actionTriggered, bar, [bar](int action) {
            if (action == QAbstractSlider::SliderPageStepAdd)
                bar->setSliderPosition(std::min(bar->value() + kPageScrollStep, bar->maximum()));
            else if (action == QAbstractSlider::SliderPageStepSub)
                bar->setSliderPosition(std::max(bar->value() - kPageScrollStep, bar->minimum()));
        });
    }
    connect(m_zoom, &QComboBox::activated, this, [this](int index) {
        if (index < 0 || index > 6 || !m_host.HasDocument())
            return;
        m_host.Document().environment.structureDiagram.defaultZoom = kZooms[index];
        Relayout();
        DrawDiagram();
    });
    connect(m_copy, &QPushButton::clicked, this, [this] { CopyImage(); });
}

void CStructureDiagram::ApplyZoomSetting() {
    int index = -1;
    if (m_host.HasDocument()) {
        const int zoom = m_host.Document().environment.structureDiagram.defaultZoom;
        for (int i = 0; i < 7; ++i)
            if (kZooms[i] == zoom)
                index = i;
    }
    m_zoom->setCurrentIndex(index);
    Relayout();
    DrawDiagram();
}

void CStructureDiagram::Relayout() {
    QSize extent;
    if (m_host.HasDocument()) {
        const CDocumentData& document = m_host.Document();
        extent = CStructureDiagramLayout(document.environment.structureDiagram)
                     .Extent(document.indexRoot, m_picture->width());
    }
    // The bars stay in place and are disabled while nothing can scroll.
    m_horizontal->setRange(0, std::max(0, extent.width() - m_picture->width()));
    m_horizontal->setPageStep(m_picture->width());
    m_horizontal->setSingleStep(1);
    m_horizontal->setEnabled(extent.width() > m_picture->width());
    m_vertical->setRange(0, std::max(0, extent.height() - m_picture->height()));
    m_vertical->setPageStep(m_picture->height());
    m_vertical->setSingleStep(1);
    m_vertical->setEnabled(extent.height() > m_picture->height());
}

void CStructureDiagram::DrawDiagram() {
    m_picture->update();
}

void CStructureDiagram::Paint(QPainter& painter, QPoint position, double xs, double ys, bool copying) {
    CDocumentData& document = m_host.Document();
    const StructureDiagramSettings& settings = document.environment.structureDiagram;
    const CStructureDiagramLayout layout(settings);
    const CStructureDiagramLayout::Scale scale{xs, ys};
    const bool distinguish = document.environment.distinguishPrimaryOutlineNumber != 0;
    const FontSetting& fontSetting = document.fonts.StructureDiagramFont;
    QFont font = ViewWidgets::FontOf(fontSetting, std::max(1, int(fontSetting.pointSize * xs)));
    painter.setFont(font);
    const QRect clip = painter.viewport();
    CAbstractIndexItem& root = document.indexRoot;
    layout.Walk(root, scale, position, [&](const CStructureDiagramLayout::Placed& placed) {
        const CAbstractIndexItem& item = *placed.item;
        const int d = placed.depth;
        const int centre = layout.RowCentre(placed.row, scale, position.y());
        painter.setPen(QPen(Qt::black, 1));
        if (d > 0 && !placed.firstChild) {
            const int trunk = layout.TrunkX(d - 1, scale, position.x());
            painter.drawLine(trunk, centre, layout.ColumnLeft(d, scale, position.x()), centre);
            painter.drawLine(trunk, layout.RowCentre(placed.parentRow, scale, position.y()), trunk, centre);
        }
        if (!item.children.empty() && item.diagramExpanded)
            painter.drawLine(layout.BoxRight(d, scale, position.x()), centre,
                             layout.ColumnLeft(d + 1, scale, position.x()), centre);
        // Only what reaches the picture is drawn; the walk itself goes over the unfolded tree.
        const QRect box = placed.box;
        if (!box.adjusted(-20, -20, 20, 20).intersects(clip) && !copying)
            return true;
        if (!item.children.empty()) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(item.diagramExpanded ? QColor(192, 192, 192) : QColor(Qt::black), 1));
            painter.drawEllipse(placed.circleCentre, placed.circleRadius, placed.circleRadius);
        }
        if (!item.unitFunction)
            return true;
        if (!copying && item.diagramMarked)
            painter.fillRect(box, QColor(224, 224, 224));
        const bool dotted = item.unitFunction->fnCallerCount == 0 && item.place.parent != nullptr;
        const QColor colour = item.cycleStop ? QColor(255, 0, 0) : QColor(Qt::black);
        painter.setPen(QPen(colour, (!copying && item.selected) ? 2 : 1, dotted ? Qt::DotLine : Qt::SolidLine));
        painter.drawRect(box);
        const bool bars = item.unitFunction->IsShared() && !(distinguish && item.primaryPlace);
        if (bars) {
            painter.drawLine(box.left() + 8, box.top(), box.left() + 8, box.top() + box.height());
            painter.drawLine(box.left() + box.width() - 8, box.top(), box.left() + box.width() - 8,
                             box.top() + box.height());
        }
        painter.setPen(Qt::black);
        // The lines that the frame holds, the last ending in "…" where the name goes on.
        const int textWidth = CStructureDiagramLayout::TextRect(box, bars, 0, 0).width();
        const int lineSpacing = painter.fontMetrics().lineSpacing();
        const QStringList lines =
            CaptionLinesWithin(CStructureDiagramLayout::BoxText(item, settings, distinguish), painter.font(), textWidth,
                               CStructureDiagramLayout::TextLineCount(box, lineSpacing));
        painter.drawText(CStructureDiagramLayout::TextRect(box, bars, int(lines.size()) * lineSpacing, lineSpacing),
                         Qt::AlignHCenter | Qt::AlignVCenter, lines.join(QLatin1Char('\n')));
        return true;
    });
    if (settings.showDepthIndicator) {
        QFont small = font;
        small.setPointSizeF(std::max(0.1, 9.0 * xs));
        painter.setFont(small);
        painter.setPen(Qt::black);
        const int columns = CStructureDiagramLayout::GetColumnCount(root);
        for (int i = 0; i < columns; ++i) {
            const QRect cell(layout.ColumnLeft(i, scale, position.x()), -position.y(), int(settings.boxWidth * xs),
                             int(20 * ys));
            painter.drawRect(cell);
            painter.drawText(cell, Qt::AlignCenter, QString::number(uint(settings.depthIndicatorOrigin + i)));
        }
    }
}

bool CStructureDiagram::CopyImage() {
    if (!m_host.HasDocument())
        return false;
    CDocumentData& document = m_host.Document();
    const QSize size = CStructureDiagramLayout(document.environment.structureDiagram).ImageSize(document.indexRoot);
    if ((size.width() > 32767 || size.height() > 32767) &&
        !platform::AskOkCancel(LoadString(StringId::DiagramImageTooLarge), platform::MessageIcon::Warning))
        return false;
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(Qt::white);
    QPainter painter(&image);
    Paint(painter, QPoint(), 1.0, 1.0, true);
    painter.end();
    QApplication::clipboard()->setImage(image);
    return true;
}

void CStructureDiagram::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int cx = width();
    const int cy = height();
    m_picture->setGeometry(0, 48, std::max(1, cx - 18), std::max(1, cy - 66));
    m_horizontal->setGeometry(0, cy - 18, std::max(1, cx - 18), 18);
    m_vertical->setGeometry(cx - 18, 48, 18, std::max(1, cy - 66));
    Relayout();
}

bool CStructureDiagram::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_picture && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton)
            OnClick(mouse->position().toPoint(), mouse->button() == Qt::RightButton, mouse->globalPosition().toPoint());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CStructureDiagram::OnClick(QPoint point, bool right, QPoint globalPosition) {
    if (!m_host.HasDocument())
        return;
    CDocumentData& document = m_host.Document();
    CAbstractIndexItem& root = document.indexRoot;
    if (!m_host.DrawingConsent().DiagramAllowed()) {
        m_host.DrawingConsent().ConfirmDiagram(root);
        ApplyZoomSetting();
        return;
    }
    const CStructureDiagramLayout layout(document.environment.structureDiagram);
    const CStructureDiagramLayout::Hit hit = layout.HitTest(root, layout.Scales(root, m_picture->width()),
                                                            QPoint(m_horizontal->value(), m_vertical->value()), point);
    if (hit.kind == CStructureDiagramLayout::Hit::Nothing)
        return;
    if (right) {
        if (hit.kind != CStructureDiagramLayout::Hit::Box)
            return;
        CAbstractIndexItem::ResetDiagramFlagRecursive(root);
        hit.item->diagramMarked = 1;
        m_picture->repaint();
        ViewWidgets::ShowIndexContextMenu(m_host, *hit.item, globalPosition, this);
        CAbstractIndexItem::ResetDiagramFlagRecursive(document.indexRoot);
        DrawDiagram();
    } else if (hit.kind == CStructureDiagramLayout::Hit::Box) {
        CAbstractIndexItem::Open(root, *hit.item);
        DrawDiagram();
    } else {
        hit.item->diagramExpanded = hit.item->diagramExpanded ? 0 : 1;
        DrawDiagram();
        Relayout();
    }
}
