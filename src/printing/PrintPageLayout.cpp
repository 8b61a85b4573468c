#include "printing/PrintPageLayout.h"

#include "model/TextUtilities.h"

#include <algorithm>

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
    qsizetype start = 0;
    // Whether a line starts at `start`: an empty one at the text's end after a line end too.
    bool open = true;
    while (open && qsizetype(lines.size()) < maxLines) {
        // Only what fits and the character after it are looked at, whatever follows.
        const QStringView rest = text.sliced(start);
        const qsizetype fitting = FittingLength(rest, width, measure);
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
        open = paragraphEnded || start + next < text.size();
        if (open && qsizetype(lines.size()) + 1 == maxLines) {
            const int room = width - measure(kEllipsis);
            length = room > 0 ? FittingLength(rest, room, measure) : 0;
            if (lineEnd >= 0)
                length = std::min(length, lineEnd);
            while (length > 0 && rest[length - 1].isSpace())
                --length;
            lines.push_back({start, length, true});
            break;
        }
        lines.push_back({start, length, false});
        start += next;
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
