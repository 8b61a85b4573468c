#include "printing/PrintHeaderFooter.h"

#include "model/DocumentData.h"
#include "printing/PrintPageLayout.h"
#include "printing/PrintUnits.h"
#include "texts/StringTable.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>

namespace {

bool HasItems(const PrintHeaderFooterKinds& kinds) {
    return kinds.left || kinds.center || kinds.right;
}

void PrintItems(QPainter& painter, const PrintHeaderFooterKinds& kinds, const QRect& band,
                const CDocumentData& document, const PrintPageInfo& info) {
    const std::pair<int, Qt::Alignment> items[] = {
        {kinds.left, Qt::AlignLeft}, {kinds.center, Qt::AlignHCenter}, {kinds.right, Qt::AlignRight}};
    // An item wider than the band is cut to it.
    const QFontMetrics metrics = painter.fontMetrics();
    const auto measure = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };
    for (const auto& [kind, alignment] : items) {
        const QString text = HeaderFooterItemText(kind, document, info);
        if (!text.isEmpty())
            painter.drawText(band, int(alignment | Qt::AlignVCenter),
                             PrintPageLayout::ElideText(text, band.width(), measure));
    }
}

// The margins' rectangle; margins wider than the paper still leave room for a line.
QRect MarginArea(const PrintSettings& settings, const QRect& page, const QPaintDevice& device) {
    QRect area(page.left() + MillimetresToDevice(settings.marginLeft, device),
               page.top() + MillimetresToDevice(settings.marginTop, device), 0, 0);
    area.setRight(page.right() - MillimetresToDevice(settings.marginRight, device));
    area.setBottom(page.bottom() - MillimetresToDevice(settings.marginBottom, device));
    const int minimum = MillimetresToDevice(10, device);
    if (area.width() < minimum)
        area.setWidth(minimum);
    if (area.height() < minimum)
        area.setHeight(minimum);
    return area;
}

int BandHeight(const QPaintDevice& device) {
    return QFontMetrics(PrintInterfaceFont(), &device).height();
}

// The margins' rectangle less the bands of the header and footer where they have items.
QRect DrawingArea(const PrintSettings& settings, QRect margins, int band) {
    if (HasItems(settings.headerKinds))
        margins.setTop(margins.top() + band + band / 2);
    if (HasItems(settings.footerKinds))
        margins.setBottom(margins.bottom() - band - band / 2);
    return margins;
}

} // namespace

QString HeaderFooterItemText(int kind, const CDocumentData& document, const PrintPageInfo& info) {
    const QDateTime time = QDateTime::fromSecsSinceEpoch(info.printTime);
    switch (kind) {
    case HeaderFooterDocumentTitle:
        return document.documentHeader.Title;
    case HeaderFooterFileName:
        return QFileInfo(info.fileName).fileName();
    case HeaderFooterDate:
        return time.toString(QStringLiteral("yyyy/MM/dd"));
    case HeaderFooterTime:
        return time.toString(QStringLiteral("HH:mm:ss"));
    case HeaderFooterDateAndTime:
        return time.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    case HeaderFooterInputText1:
        return document.printSettings.headerFooterText1;
    case HeaderFooterInputText2:
        return document.printSettings.headerFooterText2;
    case HeaderFooterPageNumber:
        return LoadString(StringId::PrintPageNumber).arg(info.page);
    case HeaderFooterPageOfPages:
        return LoadString(StringId::PrintPageOfPages).arg(info.page).arg(info.pages);
    default:
        return QString();
    }
}

bool PrintHeaderFooterShowsPageCount(const CDocumentData& document) {
    const PrintSettings& settings = document.printSettings;
    for (const PrintHeaderFooterKinds& kinds : {settings.headerKinds, settings.footerKinds})
        for (const int kind : {kinds.left, kinds.center, kinds.right})
            if (kind == HeaderFooterPageOfPages)
                return true;
    return false;
}

QRect PrintDrawingArea(const CDocumentData& document, const QRect& page, const QPaintDevice& device) {
    const PrintSettings& settings = document.printSettings;
    return DrawingArea(settings, MarginArea(settings, page, device), BandHeight(device));
}

QRect PrintHeaderFooter(QPainter& painter, const CDocumentData& document, const QRect& page,
                        const PrintPageInfo& info) {
    const PrintSettings& settings = document.printSettings;
    const QPaintDevice& device = *painter.device();
    const QRect margins = MarginArea(settings, page, device);
    const int band = BandHeight(device);
    painter.save();
    painter.setFont(PrintInterfaceFont());
    painter.setPen(Qt::black);
    PrintItems(painter, settings.headerKinds, QRect(margins.left(), margins.top(), margins.width(), band), document,
               info);
    PrintItems(painter, settings.footerKinds, QRect(margins.left(), margins.bottom() - band + 1, margins.width(), band),
               document, info);
    painter.restore();
    return DrawingArea(settings, margins, band);
}
