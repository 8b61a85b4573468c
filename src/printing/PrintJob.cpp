#include "printing/PrintJob.h"

#include "logic/InspectionView.h"
#include "model/AbstractIndexItem.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "printing/PrintHeaderFooter.h"
#include "printing/PrintPageLayout.h"
#include "printing/PrintUnits.h"
#include "texts/StringTable.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <limits>
#include <set>

namespace {

struct RangeItem {
    const CAbstractIndexItem* item;
    int depth; // from 0 for the first printed item
};

// The table-of-contents items of a section's range in outline order: all (0), the current unit function's item
// and its descendants (1) or that item alone (2); nothing when the current unit function has no item. Walked
// with a stack of its own, however deep the table of contents.
std::vector<RangeItem> ItemsInRange(const PrintSource& source, int scope) {
    const CAbstractIndexItem* start = &source.document.indexRoot;
    if (scope == 1 || scope == 2) {
        const CUnitFunction* function = source.current;
        if (!function)
            function = source.document.indexRoot.unitFunction;
        if (!function || !function->primaryPlace)
            return {};
        start = CAbstractIndexItem::FindByOutlineNumber(const_cast<CAbstractIndexItem*>(&source.document.indexRoot),
                                                        function->GetPrimaryOutlineNumber(), 0);
        if (!start)
            return {};
    }
    std::vector<RangeItem> items;
    std::vector<RangeItem> stack{{start, 0}};
    while (!stack.empty()) {
        const RangeItem next = stack.back();
        stack.pop_back();
        items.push_back(next);
        if (scope == 2)
            break;
        for (auto child = next.item->children.rbegin(); child != next.item->children.rend(); ++child)
            stack.push_back({&*child, next.depth + 1});
    }
    return items;
}

// Scales outside what the pages offer (a file may hold anything, 0 among them) print at full size.
int UsableZoom(int zoom) {
    return zoom >= 10 && zoom <= 400 ? zoom : 100;
}

bool Refuse(StringId text) {
    platform::ShowMessageBox(LoadString(text), platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    return false;
}

QString LogicLineText(const CLogicLine& line, const CDocumentData& document) {
    QString text(line.Top, QLatin1Char(' '));
    if (line.lineKind < document.SyntaxSymbols.size())
        text += document.SyntaxSymbols[line.lineKind].keyword;
    const int used = CLogicLine::SlotsOfKind(line.lineKind);
    if (used > 0)
        text += QLatin1Char(' ');
    for (int k = 0; k < used && k < CLogicLine::SlotCapacity; ++k)
        text += line.textSlots[k].text;
    return text;
}

} // namespace

void CPrintJob::Reset(quint16 kind, int section, const PrintSource& source) {
    m_kind = 0;
    m_lines.clear();
    m_titleItems.clear();
    const PrintSection& settings = source.document.printSettings.sections[section];
    m_zoom = UsableZoom(settings.zoom);
    m_omit = settings.omission != 0;
    m_bodyFont = FontSetting();
    m_bodyFont.faceName = GetDefaultUIFontName();
    source.document.printSettings.printKind = kind;
}

bool CPrintJob::PreparePrintOutlineIndex(const PrintSource& source) {
    Reset(PrintKindOutlineIndex, PrintSettings::OutlineOrderedIndex, source);
    const CDocumentData& document = source.document;
    const ModelOptions options = document.GetModelOptions();
    for (const RangeItem& entry :
         ItemsInRange(source, document.printSettings.sections[PrintSettings::OutlineOrderedIndex].scope))
        m_lines.push_back(
            {entry.item->GetOutlineNumberString() + QLatin1Char(' ') + entry.item->GetDisplayText(options), entry.depth,
             Style::Body});
    if (m_lines.empty())
        return Refuse(StringId::NothingToPrintInChart);
    m_kind = PrintKindOutlineIndex;
    return true;
}

void CPrintJob::AddFunction(const CUnitFunction& function, const QString& number, const CDocumentData& document) {
    const quint16 items = document.printSettings.sections[PrintSettings::UnitFunctions].object;
    if (!m_lines.empty())
        m_lines.push_back({});
    m_lines.push_back({number + QLatin1Char(' ') + function.name, 0, Style::Heading});
    const CUnitFunctionHeader& header = function.header;
    if (items & PrintedFunctionHeader) {
        if (!header.Type.isEmpty())
            m_lines.push_back({LoadString(StringId::PrintFunctionAttribute).arg(header.Type), 1, Style::Body});
        if (!header.uniqueLabel.isEmpty())
            m_lines.push_back({LoadString(StringId::PrintUniqueLabel).arg(header.uniqueLabel), 1, Style::Body});
    }
    if (items & PrintedFunctionRequirements) {
        const std::set<QString> requirements = header.EffectiveRequirements();
        if (!requirements.empty())
            m_lines.push_back(
                {LoadString(StringId::PrintRequirements)
                     .arg(QStringList(requirements.begin(), requirements.end()).join(QStringLiteral(", "))),
                 1, Style::Body});
    }
    if ((items & PrintedFunctionReason) && !header.Reasoning.isEmpty())
        m_lines.push_back({LoadString(StringId::PrintReason).arg(header.Reasoning), 1, Style::Body});
    if ((items & PrintedFunctionContent) && !header.contentText.isEmpty())
        m_lines.push_back({header.contentText, 1, Style::Body, true});
    if (items & PrintedFunctionLogic) {
        for (size_t k = 0; k < function.logicLines.size(); ++k) {
            QString text = LogicLineText(*function.logicLines[k], document);
            if (items & PrintedFunctionLineNumbers)
                text = QStringLiteral("%1: ").arg(k + 1, 4) + text;
            m_lines.push_back({text, 1, Style::Body});
        }
    }
}

bool CPrintJob::PreparePrintUnitFunctions(const PrintSource& source) {
    Reset(PrintKindUnitFunctions, PrintSettings::UnitFunctions, source);
    const CDocumentData& document = source.document;
    const PrintSection& section = document.printSettings.sections[PrintSettings::UnitFunctions];
    const auto wanted = [&section](const CUnitFunction& function) {
        return !section.nonWrited || !function.logicLines.empty();
    };
    // A common unit function prints once, at its first place.
    std::set<const CUnitFunction*> printed;
    for (const RangeItem& entry : ItemsInRange(source, section.scope)) {
        const CUnitFunction* function = entry.item->unitFunction;
        if (function && wanted(*function) && printed.insert(function).second)
            AddFunction(*function, entry.item->GetOutlineNumberString(), document);
    }
    // Unit functions no table-of-contents item shows, when the whole document is printed and they are wanted.
    if (!section.nonEmbodiment && section.scope != 1 && section.scope != 2)
        for (const auto& [id, function] : document.registry.Functions())
            if (function.places.empty() && wanted(function) && printed.insert(&function).second)
                AddFunction(function, function.GetOutlineNumberText(false), document);
    if (m_lines.empty())
        return Refuse(StringId::NothingToPrintInChart);
    m_kind = PrintKindUnitFunctions;
    return true;
}

bool CPrintJob::PreparePrintTitlePage(const PrintSource& source) {
    Reset(PrintKindTitlePage, PrintSettings::OutlineOrderedIndex, source);
    const CDocumentData& document = source.document;
    const auto& lines = document.printSettings.titleLines;
    const QString& title = document.documentHeader.Title;
    if (title.trimmed().isEmpty())
        return Refuse(StringId::NoTitleToPrint);
    const QString texts[PrintSettings::TitleLineCount] = {
        title, QFileInfo(source.path).fileName(),
        QString::asprintf("%2d.%02d", document.documentHeader.Major, document.documentHeader.Minor).trimmed(),
        lines[PrintSettings::InputText1].text, lines[PrintSettings::InputText2].text};
    for (int k = 0; k < PrintSettings::TitleLineCount; ++k)
        if (lines[k].point >= 1 && lines[k].point <= 9 && !texts[k].isEmpty())
            m_titleItems.push_back({texts[k], lines[k].point, lines[k].border != 0, k == PrintSettings::DocumentTitle});
    m_kind = PrintKindTitlePage;
    return true;
}

bool CPrintJob::PreparePrintResultMessages(const PrintSource& source) {
    Reset(PrintKindResultMessages, PrintSettings::Results, source);
    const int count = source.results ? source.results->RecordLineCount() : 0;
    if (count == 0)
        return Refuse(StringId::NoResultsToPrint);
    qint64 time = source.document.resultsTime;
    if (time == 0)
        time = source.results->ResultsTime();
    m_lines.push_back({LoadString(StringId::ResultsStartTime) +
                           QDateTime::fromSecsSinceEpoch(time).toString(QStringLiteral("HH:mm:ss yyyy/MM/dd")),
                       0, Style::Heading});
    for (int k = 0; k < count; ++k)
        if (const std::optional<InspectionLineRecord> record = source.results->GetLineRecord(k))
            m_lines.push_back({record->text, 0, Style::Body});
    m_bodyFont = source.document.resultsFont;
    m_kind = PrintKindResultMessages;
    return true;
}

bool CPrintJob::PreparePrintNotes(const PrintSource& source) {
    Reset(PrintKindNotes, PrintSettings::Notes, source);
    if (source.document.MemoText.trimmed().isEmpty())
        return Refuse(StringId::NoNotesToPrint);
    m_lines.push_back({source.document.MemoText, 0, Style::Body, true});
    m_bodyFont = source.document.memoFont;
    m_kind = PrintKindNotes;
    return true;
}

int CPrintJob::Print(QPagedPaintDevice& device, const PrintSource& source, qint64 printTime,
                     PrintPageRange range) const {
    if (m_kind == 0)
        return 0;
    // The document's margins are the only ones.
    device.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    int pages = 0;
    switch (m_kind) {
    case PrintKindOutlineIndex:
        pages = PrintOutlineIndex(painter, source, printTime, range);
        break;
    case PrintKindUnitFunctions:
        pages = PrintUnitFunctions(painter, source, printTime, range);
        break;
    case PrintKindTitlePage:
        pages = PrintTitlePage(painter, source, printTime, range);
        break;
    case PrintKindResultMessages:
        pages = PrintResultMessages(painter, source, printTime, range);
        break;
    case PrintKindNotes:
        pages = PrintNotes(painter, source, printTime, range);
        break;
    default:
        break;
    }
    painter.end();
    return pages;
}

int CPrintJob::PrintOutlineIndex(QPainter& painter, const PrintSource& source, qint64 printTime,
                                 PrintPageRange range) const {
    return PrintLines(painter, source, printTime, range);
}

int CPrintJob::PrintUnitFunctions(QPainter& painter, const PrintSource& source, qint64 printTime,
                                  PrintPageRange range) const {
    return PrintLines(painter, source, printTime, range);
}

int CPrintJob::PrintResultMessages(QPainter& painter, const PrintSource& source, qint64 printTime,
                                   PrintPageRange range) const {
    return PrintLines(painter, source, printTime, range);
}

int CPrintJob::PrintNotes(QPainter& painter, const PrintSource& source, qint64 printTime, PrintPageRange range) const {
    return PrintLines(painter, source, printTime, range);
}

namespace {

QRect PageRect(const QPainter& painter) {
    const QPaintDevice& device = *painter.device();
    return QRect(0, 0, device.width(), device.height());
}

} // namespace

struct CPrintJob::PrintedLine {
    size_t line; // of m_lines
    PrintPageLayout::LineSpan span;
    int style; // 0 heading, 1 body
    int x;
};

// The drawing area, and the fonts of the headings and the body with their metrics on the device.
struct CPrintJob::LinesLayout {
    LinesLayout(const QRect& drawingArea, const FontSetting& body, int zoom, const QPaintDevice& device)
        : area(drawingArea), fonts{MakePointFont(HeadingFont(body), zoom), MakePointFont(body, zoom)},
          metrics{QFontMetrics(fonts[0], &device), QFontMetrics(fonts[1], &device)},
          indentWidth(metrics[1].horizontalAdvance(QStringLiteral("MM"))),
          pageLines{std::max(1, area.height() / metrics[0].lineSpacing()),
                    std::max(1, area.height() / metrics[1].lineSpacing())} {}

    static FontSetting HeadingFont(FontSetting font) {
        font.bold = 1;
        font.pointSize = static_cast<quint16>(std::min(1000, font.pointSize * 6 / 5));
        return font;
    }

    QRect area;
    QFont fonts[2];
    QFontMetrics metrics[2];
    int indentWidth;
    qsizetype pageLines[2]; // the lines a page holds
};

int CPrintJob::LayOutPages(const LinesLayout& layout, const PageOfLines& page) const {
    // The lines of the page being filled, and the one that opened the next page; `pendingFirst` counts the printed
    // lines before them.
    std::vector<PrintedLine> pending;
    int pendingFirst = 0;
    int pages = 0;
    PrintPageLayout::PageBreaker breaker(layout.area.height());
    for (size_t k = 0; k < m_lines.size(); ++k) {
        const Line& line = m_lines[k];
        const int style = line.style == Style::Heading ? 0 : 1;
        const QFontMetrics& metrics = layout.metrics[style];
        const int x = layout.area.left() + std::min(line.indent * layout.indentWidth, layout.area.width() / 2);
        const qsizetype most = m_omit       ? 1
                               : line.flows ? std::numeric_limits<qsizetype>::max()
                                            : layout.pageLines[style];
        PrintPageLayout::LineBreaker printed(
            line.text, layout.area.right() + 1 - x,
            [&metrics](const QString& text) { return metrics.horizontalAdvance(text); }, most);
        while (printed.HasNext()) {
            const PrintedLine next{k, printed.Next(), style, x};
            const std::optional<int> first = breaker.Add(metrics.lineSpacing(), line.style == Style::Heading);
            if (first && *first > pendingFirst) {
                const auto end = pending.begin() + (*first - pendingFirst);
                if (!page(++pages, std::span<const PrintedLine>(pending.begin(), end)))
                    return pages;
                pending.erase(pending.begin(), end);
                pendingFirst = *first;
            }
            pending.push_back(next);
        }
    }
    if (!pending.empty())
        page(++pages, pending);
    return pages;
}

int CPrintJob::PrintLines(QPainter& painter, const PrintSource& source, qint64 printTime, PrintPageRange range) const {
    const QRect page = PageRect(painter);
    const LinesLayout layout(PrintDrawingArea(source.document, page, *painter.device()), m_bodyFont, m_zoom,
                             *painter.device());
    // The number of pages takes a layout of its own, made only when a header or footer shows it.
    const int pages = PrintHeaderFooterShowsPageCount(source.document)
                          ? LayOutPages(layout, [](int, std::span<const PrintedLine>) { return true; })
                          : 0;
    auto& pagedDevice = static_cast<QPagedPaintDevice&>(*painter.device());
    int printedPages = 0;
    LayOutPages(layout, [&](int number, std::span<const PrintedLine> lines) {
        if (range.EndsBefore(number))
            return false;
        if (!range.Contains(number))
            return true;
        if (printedPages++ > 0)
            pagedDevice.newPage();
        PrintHeaderFooter(painter, source.document, page, {number, pages, source.path, printTime});
        painter.setPen(Qt::black);
        painter.setClipRect(layout.area);
        int y = layout.area.top();
        for (const PrintedLine& line : lines) {
            const QFontMetrics& metrics = layout.metrics[line.style];
            painter.setFont(layout.fonts[line.style]);
            painter.drawText(line.x, y + metrics.ascent(),
                             PrintPageLayout::LineText(m_lines[line.line].text, line.span));
            y += metrics.lineSpacing();
        }
        painter.setClipping(false);
        return true;
    });
    return printedPages;
}

int CPrintJob::PrintTitlePage(QPainter& painter, const PrintSource& source, qint64 printTime,
                              PrintPageRange range) const {
    if (!range.Contains(1))
        return 0;
    const QRect page = PageRect(painter);
    const QRect area = PrintHeaderFooter(painter, source.document, page, {1, 1, source.path, printTime});
    const PrintSettings& settings = source.document.printSettings;
    const QFont titleFont = MakePointFont(settings.titleFont);
    const QFont otherFont = MakePointFont(settings.otherTitleFont);
    const QPaintDevice& device = *painter.device();
    const int padding = MillimetresToDevice(2, device);
    painter.setPen(Qt::black);
    // An item wider than the printable width is wrapped to it, in as many lines as the page can show.
    const auto widthOf = [&](const TitleItem& item, const QString& text) {
        return MeasureTextWithPointFont(item.title ? settings.titleFont : settings.otherTitleFont, text, device)
            .width();
    };
    const auto linesOf = [&](const TitleItem& item) {
        const int spacing = QFontMetrics(item.title ? titleFont : otherFont, &device).lineSpacing();
        return PrintPageLayout::WrapText(
            item.text, area.width() - 2 * padding, [&](const QString& text) { return widthOf(item, text); },
            std::max(1, (area.height() - 2 * padding) / std::max(1, spacing)));
    };
    for (int position = 1; position <= 9; ++position) {
        std::vector<std::pair<const TitleItem*, QStringList>> stacked;
        int height = 0;
        for (const TitleItem& item : m_titleItems)
            if (item.position == position) {
                stacked.emplace_back(&item, linesOf(item));
                height += QFontMetrics(item.title ? titleFont : otherFont, &device).lineSpacing() *
                              static_cast<int>(stacked.back().second.size()) +
                          2 * padding;
            }
        const int row = (position - 1) / 3;
        const int column = (position - 1) % 3;
        int y = row == 0 ? area.top() : row == 1 ? area.center().y() - height / 2 : area.bottom() - height;
        for (const auto& [item, lines] : stacked) {
            const QFont& font = item->title ? titleFont : otherFont;
            const QFontMetrics metrics(font, &device);
            int textWidth = 0;
            for (const QString& line : lines)
                textWidth = std::max(textWidth, widthOf(*item, line));
            const int width = std::min(area.width(), textWidth + 2 * padding);
            const int x = column == 0   ? area.left()
                          : column == 1 ? area.center().x() - width / 2
                                        : area.right() - width;
            const QRect box(x, y, width, metrics.lineSpacing() * static_cast<int>(lines.size()) + 2 * padding);
            painter.setFont(font);
            painter.drawText(box, Qt::AlignCenter, lines.join(QLatin1Char('\n')));
            if (item->framed)
                painter.drawRect(box);
            y += box.height();
        }
    }
    return 1;
}
