#pragma once

#include <QRect>
#include <QString>

class CDocumentData;
class QPaintDevice;
class QPainter;

// What a header or footer item names: the kinds the print settings store for the left, centre and right item.
enum PrintHeaderFooterItem : int {
    HeaderFooterNone = 0,
    HeaderFooterDocumentTitle = 1,
    HeaderFooterFileName = 2,
    HeaderFooterDate = 3,
    HeaderFooterTime = 4,
    HeaderFooterDateAndTime = 5,
    HeaderFooterInputText1 = 6,
    HeaderFooterInputText2 = 7,
    HeaderFooterPageNumber = 8,
    HeaderFooterPageOfPages = 9,
    HeaderFooterItemCount = 10,
};

// The page a header and footer are printed on.
struct PrintPageInfo {
    int page = 1;  // from 1
    int pages = 1; // in the whole printout
    QString fileName;
    qint64 printTime = 0; // seconds since the epoch
};

// The text of one item on the page.
QString HeaderFooterItemText(int kind, const CDocumentData& document, const PrintPageInfo& info);
// Whether an item of the document's header or footer shows the number of pages of the whole printout, which a
// printout then counts before it prints.
bool PrintHeaderFooterShowsPageCount(const CDocumentData& document);

// The part of `page` (device units) inside the margins and clear of the header and footer, as every page of the
// document's printouts has it.
QRect PrintDrawingArea(const CDocumentData& document, const QRect& page, const QPaintDevice& device);

// Prints the page's header and footer items of the document's print settings inside the margins of `page` (device
// units) with the 10.5-point interface font; returns the drawing area left between them.
QRect PrintHeaderFooter(QPainter& painter, const CDocumentData& document, const QRect& page, const PrintPageInfo& info);
