#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <limits>
#include <optional>
#include <vector>

// Breaking printed text into lines and lines into pages.
namespace PrintPageLayout {

using Measure = std::function<int(const QString&)>;

// One printed line of a text: `length` characters from `start`, followed by "..." when `cut`.
struct LineSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    bool cut = false;

    bool operator==(const LineSpan&) const = default;
};

// The text's paragraphs (ended by LF, CR LF or CR) broken where the next character would pass `width`: after the
// last blank that fits, the blanks at the break dropped, and after the last fitting character only where the line
// has no blank before it. An empty paragraph stays one empty line; every line holds at least one character however
// narrow the width. At most `maxLines` lines: when text is left after them, the last one is cut to end in "..."
// within the width. Only what the lines hold, and about as much again, is measured, whatever the text's length.
std::vector<LineSpan> BreakLines(QStringView text, int width, const Measure& measure,
                                 qsizetype maxLines = std::numeric_limits<qsizetype>::max());
// The lines of BreakLines one at a time, so that a text that flows over many pages is never held broken whole.
class LineBreaker {
public:
    LineBreaker(QStringView text, int width, Measure measure,
                qsizetype maxLines = std::numeric_limits<qsizetype>::max());
    bool HasNext() const { return m_open && m_left > 0; }
    LineSpan Next();

private:
    // The length of the start of `rest` that fits `width`, measured up to its first line end at most: that is looked
    // for within `m_reach` characters, which double while a line fills them.
    qsizetype FittingInParagraph(QStringView rest, int width);

    QStringView m_text;
    int m_width;
    Measure m_measure;
    qsizetype m_left;
    qsizetype m_start = 0;
    qsizetype m_reach = 1024;
    bool m_open = true; // a line starts at m_start: an empty one at the text's end after a line end too
};
// The printed text of a line.
QString LineText(QStringView text, const LineSpan& line);
// The texts of the lines above.
QStringList WrapText(QStringView text, int width, const Measure& measure,
                     qsizetype maxLines = std::numeric_limits<qsizetype>::max());
// The text's first line cut to `width`, with "..." at its end when anything of the text is left out.
QString ElideText(QStringView text, int width, const Measure& measure);
// The pages of lines given one at a time on pages `pageHeight` high, of which it keeps nothing but the page being
// filled: a line higher than a page gets a page of its own; a line marked keepWithNext (a heading) moves to the next
// page with the line after it unless it opens its page.
class PageBreaker {
public:
    explicit PageBreaker(int pageHeight) : m_pageHeight(pageHeight) {}
    // The next line: when it, or the heading before it, opens a page, the number of that line (from 0, in the order
    // the lines were added).
    std::optional<int> Add(int height, bool keepWithNext = false);

private:
    int m_pageHeight;
    int m_count = 0;
    int m_pageFirst = 0;
    int m_used = 0;
    int m_previousHeight = 0;
    bool m_previousKept = false;
};

} // namespace PrintPageLayout
