#pragma once

#include "model/FontSetting.h"

#include <QString>

#include <algorithm>
#include <array>
#include <functional>
#include <span>
#include <vector>

class CAbstractIndexItem;
class CDocumentData;
class CInspectionView;
class CUnitFunction;
class QPagedPaintDevice;
class QPainter;
struct PrintPageInfo;

// What a printout is printed from: the document, the result pane, the active tab's unit function (null without
// one) and the document's file (empty for a new one).
struct PrintSource {
    CDocumentData& document;
    const CInspectionView* results = nullptr;
    const CUnitFunction* current = nullptr;
    QString path;
};

// The pages the user chose to print, numbered from 1; every page when `first` is 0.
struct PrintPageRange {
    int first = 0;
    int last = 0;

    // What the print dialog that ran on `printer` (a QPrinter) chose: its pages from and to when it chose a range,
    // else every page.
    template <class Printer> static PrintPageRange ChosenOn(const Printer& printer) {
        const int from = printer.fromPage();
        return printer.printRange() == Printer::PageRange && from > 0
                   ? PrintPageRange{from, std::max(from, printer.toPage())}
                   : PrintPageRange{};
    }
    bool Contains(int page) const { return first == 0 || (page >= first && page <= last); }
    // Whether the range ends before the page.
    bool EndsBefore(int page) const { return first != 0 && page > last; }
};

// The highest page the print dialog offers for a range of pages; a printout of every page prints them all.
constexpr int PrintHighestPage = 999;

// The print kinds the document's print settings record; the hierarchical chart prints itself.
enum PrintKind : quint16 {
    PrintKindOutlineIndex = 1,
    PrintKindHierarchicalIndex = 2,
    PrintKindUnitFunctions = 3,
    PrintKindTitlePage = 4,
    PrintKindResultMessages = 5,
    PrintKindNotes = 6,
};

// The unit-function items the printout may show, as the print settings' printed-item bits.
enum PrintedFunctionItem : quint16 {
    PrintedFunctionHeader = 0x8,
    PrintedFunctionContent = 0x400,
    PrintedFunctionLogic = 0x800,
    PrintedFunctionRequirements = 0x1000,
    PrintedFunctionReason = 0x2000,
    PrintedFunctionLineNumbers = 0x4000,
};

// The print job of every printout but the hierarchical chart: a preparation takes what is to be printed from the
// document and sets the print kind; Print then lays it out on the device's pages and prints it, any number of
// times (a preview repaints). A printout lays out only what its pages can show: an entry takes at most one page, but
// a content text or notes flow on over the pages; what is left out of a line ends it in "...". The pages are laid
// out one at a time, as they print, so that a printout of any number of pages holds the layout of one.
class CPrintJob {
public:
    // Each returns whether there is something to print; when there is not, it has said so in a message.
    bool PreparePrintOutlineIndex(const PrintSource& source);
    bool PreparePrintUnitFunctions(const PrintSource& source);
    bool PreparePrintTitlePage(const PrintSource& source);
    bool PreparePrintResultMessages(const PrintSource& source);
    bool PreparePrintNotes(const PrintSource& source);

    quint16 Kind() const { return m_kind; }

    // Prints the pages of the prepared printout within `range` with the document's margins, header and footer
    // (which number the pages of the whole printout); the number of pages printed, 0 when nothing is prepared or
    // the device cannot be painted on. `printTime` (seconds since the epoch) is what the header and footer show as
    // now.
    int Print(QPagedPaintDevice& device, const PrintSource& source, qint64 printTime, PrintPageRange range = {}) const;

private:
    enum class Style { Heading, Body };
    struct Line {
        QString text;
        int indent = 0; // levels
        Style style = Style::Body;
        bool flows = false; // over as many pages as it takes, rather than one at most
    };
    struct TitleItem {
        QString text;
        int position = 0; // 1 to 9: top left to bottom right, row by row
        bool framed = false;
        bool title = false;
    };

    void Reset(quint16 kind, int section, const PrintSource& source);
    void AddFunction(const CUnitFunction& function, const QString& number, const CDocumentData& document);

    int PrintOutlineIndex(QPainter& painter, const PrintSource& source, qint64 printTime, PrintPageRange range) const;
    int PrintUnitFunctions(QPainter& painter, const PrintSource& source, qint64 printTime, PrintPageRange range) const;
    int PrintTitlePage(QPainter& painter, const PrintSource& source, qint64 printTime, PrintPageRange range) const;
    int PrintResultMessages(QPainter& painter, const PrintSource& source, qint64 printTime, PrintPageRange range) const;
    int PrintNotes(QPainter& painter, const PrintSource& source, qint64 printTime, PrintPageRange range) const;
    // The prepared lines flowed over as many pages as they take.
    int PrintLines(QPainter& painter, const PrintSource& source, qint64 printTime, PrintPageRange range) const;
    struct LinesLayout;
    struct PrintedLine;
    using PageOfLines = std::function<bool(int number, std::span<const PrintedLine> lines)>;
    // Lays the prepared lines out page by page and hands each page, numbered from 1, to `page` until it returns
    // false; the number of pages laid out.
    int LayOutPages(const LinesLayout& layout, const PageOfLines& page) const;

    quint16 m_kind = 0;
    std::vector<Line> m_lines;
    std::vector<TitleItem> m_titleItems;
    FontSetting m_bodyFont;
    int m_zoom = 100;
    bool m_omit = false; // lines wider than the page are cut rather than wrapped
};
