#include "printing/PrintPageLayout.h"

#include "model/TextUtilities.h"

#include <algorithm>
#include <utility>

namespace PrintPageLayout {

namespace {

const QString kEllipsis = QStringLiteral("...");

bool IsLineEnd(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// Past the line end at `at`, a CR LF taken as one.
qsizetype PastLineEnd(QStringView text, qsizetype at) {
    return text[at] == QLatin1Char('\r') && at + 1 < text.size() && text[at + 1] == QLatin1Char('\n') ? at + 2 : at + 1;
}

// The length of a line that fits `fitting` characters of `rest`, which holds no line end among them: never less
// than one character (a pair of surrogates whole); before the last blank when the next character is no blank and
// one comes before it. Sets `next` to where the following line starts, past the blanks at the break.
qsizetype BreakAtBlank(QStringView rest, qsizetype fitting, qsizetype& next) {
    if (fitting == 0)
        fitting = rest.size() > 1 && rest[0].isHighSurrogate() && rest[1].isLowSurrogate() ? 2 : 1;
    next = fitting;
    qsizetype end = fitting;
    if (end < rest.size() && !rest[end].isSpace())
        while (end > 0 && !rest[end - 1].isSpace())
            --end;
    while (end > 0 && rest[end - 1].isSpace())
        --end;
    if (end == 0)
        return fitting;
    next = end;
    while (next < rest.size() && rest[next].isSpace() && !IsLineEnd(rest[next]))
        ++next;
    return end;
}

} // namespace

std::vector<LineSpan> BreakLines(QStringView text, int width, const Measure& measure, qsizetype maxLines) {
    std::vector<LineSpan> lines;
    for (LineBreaker breaker(text, width, measure, maxLines); breaker.HasNext();)
        lines.push_back(breaker.Next());
    return lines;
}

LineBreaker::LineBreaker(QStringView text, int width, Measure measure, qsizetype maxLines)
    : m_text(text), m_width(width), m_measure(std::move(measure)), m_left(maxLines) {}

LineSpan LineBreaker::Next() {
    // Only what fits and the character after it are looked at, whatever follows.
    const QStringView rest = m_text.sliced(m_start);
    const qsizetype fitting = FittingInParagraph(rest, m_width);
    qsizetype lineEnd = -1;
    for (qsizetype k = 0; k <= fitting && k < rest.size() && lineEnd < 0; ++k)
        if (IsLineEnd(rest[k]))
            lineEnd = k;
    qsizetype length = rest.size();
    qsizetype next = rest.size();
    bool paragraphEnded = false;
    if (lineEnd >= 0) {
        length = lineEnd;
        next = PastLineEnd(rest, lineEnd);
        paragraphEnded = true;
    } else if (fitting < rest.size()) {
        length = BreakAtBlank(rest, fitting, next);
        if (next < rest.size() && IsLineEnd(rest[next])) {
            next = PastLineEnd(rest, next);
            paragraphEnded = true;
        }
    }
    m_open = paragraphEnded || m_start + next < m_text.size();
    if (m_open && --m_left == 0) {
        const int room = m_width - m_measure(kEllipsis);
        length = room > 0 ? FittingInParagraph(rest, room) : 0;
        if (lineEnd >= 0)
            length = std::min(length, lineEnd);
        while (length > 0 && rest[length - 1].isSpace())
            --length;
        return {m_start, length, true};
    }
    const LineSpan line{m_start, length, false};
    m_start += next;
    return line;
}

QString LineText(QStringView text, const LineSpan& line) {
    const QString printed = text.sliced(line.start, line.length).toString();
    return line.cut ? printed + kEllipsis : printed;
}

QStringList WrapText(QStringView text, int width, const Measure& measure, qsizetype maxLines) {
    QStringList lines;
    for (const LineSpan& line : BreakLines(text, width, measure, maxLines))
        lines.push_back(LineText(text, line));
    return lines;
}

QString ElideText(QStringView text, int width, const Measure& measure) {
    return LineText(text, BreakLines(text, width, measure, 1).front());
}

qsizetype LineBreaker::FittingInParagraph(QStringView rest, int width) {
    for (;;) {
        const QStringView ahead = rest.first(std::min(m_reach, rest.size()));
        const auto end = std::find_if(ahead.begin(), ahead.end(), IsLineEnd);
        const QStringView paragraph = ahead.first(end - ahead.begin());
        const qsizetype fitting = FittingLength(paragraph, width, m_measure);
        if (end != ahead.end() || ahead.size() == rest.size() || fitting < paragraph.size())
            return fitting;
        m_reach *= 2;
    }
}

std::optional<int> PageBreaker::Add(int height, bool keepWithNext) {
    std::optional<int> first;
    const int line = m_count++;
    if (line == 0) {
        first = 0;
    } else if (m_used > 0 && m_used + height > m_pageHeight) {
        // A heading that does not open its page goes over with this line.
        const bool moved = m_previousKept && line - 1 > m_pageFirst;
        m_pageFirst = moved ? line - 1 : line;
        m_used = moved ? m_previousHeight : 0;
        first = m_pageFirst;
    }
    m_used += height;
    m_previousHeight = height;
    m_previousKept = keepWithNext;
    return first;
}

} // namespace PrintPageLayout
