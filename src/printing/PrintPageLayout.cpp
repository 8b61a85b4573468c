#include "printing/PrintPageLayout.h"

#include "model/TextUtilities.h"

namespace PrintPageLayout {

namespace {

const QString kEllipsis = QStringLiteral("...");

// Where the paragraph from `start` ends, and where the next one starts (-1 after the last).
std::pair<qsizetype, qsizetype> ParagraphEnd(QStringView text, qsizetype start) {
    for (qsizetype k = start; k < text.size(); ++k) {
        if (text[k] == QLatin1Char('\n'))
            return {k, k + 1};
        if (text[k] == QLatin1Char('\r'))
            return {k, k + 1 < text.size() && text[k + 1] == QLatin1Char('\n') ? k + 2 : k + 1};
    }
    return {text.size(), -1};
}

// The length of a line that fits `fitting` characters of `rest`: never less than one character (a pair of
// surrogates whole); before the last blank when the next character is no blank and one comes before it. Sets
// `next` to where the following line starts, past the blanks at the break.
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
    while (next < rest.size() && rest[next].isSpace())
        ++next;
    return end;
}

} // namespace

std::vector<LineSpan> BreakLines(QStringView text, int width, const Measure& measure, qsizetype maxLines) {
    std::vector<LineSpan> lines;
    qsizetype start = 0;
    while (maxLines > 0) {
        const auto [end, following] = ParagraphEnd(text, start);
        const QStringView paragraph = text.sliced(start, end - start);
        qsizetype at = 0;
        do {
            const QStringView rest = paragraph.sliced(at);
            const qsizetype fitting = FittingLength(rest, width, measure);
            const bool whole = fitting == rest.size();
            if (qsizetype(lines.size()) + 1 == maxLines && (!whole || following >= 0)) {
                const int room = width - measure(kEllipsis);
                qsizetype length = room > 0 ? FittingLength(rest, room, measure) : 0;
                while (length > 0 && rest[length - 1].isSpace())
                    --length;
                lines.push_back({start + at, length, true});
                return lines;
            }
            if (whole) {
                lines.push_back({start + at, rest.size(), false});
                break;
            }
            qsizetype next = 0;
            lines.push_back({start + at, BreakAtBlank(rest, fitting, next), false});
            at += next;
        } while (at < paragraph.size());
        if (following < 0)
            break;
        start = following;
    }
    return lines;
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

std::vector<int> BreakPages(const std::vector<int>& heights, int pageHeight, const std::vector<bool>& keepWithNext) {
    const auto kept = [&keepWithNext](size_t k) { return k < keepWithNext.size() && keepWithNext[k]; };
    std::vector<int> firstLines;
    int used = 0;
    for (size_t k = 0; k < heights.size(); ++k) {
        if (firstLines.empty()) {
            firstLines.push_back(0);
        } else if (used > 0 && used + heights[k] > pageHeight) {
            size_t first = k;
            if (k > 0 && kept(k - 1) && int(k - 1) > firstLines.back())
                first = k - 1;
            firstLines.push_back(static_cast<int>(first));
            used = 0;
            for (size_t moved = first; moved < k; ++moved)
                used += heights[moved];
        }
        used += heights[k];
    }
    return firstLines;
}

} // namespace PrintPageLayout
