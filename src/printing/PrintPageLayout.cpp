#include "printing/PrintPageLayout.h"

namespace PrintPageLayout {

QStringList WrapText(const QString& text, int width, const Measure& measure, Break at) {
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString rest = paragraph;
        rest.remove(QLatin1Char('\r'));
        if (rest.isEmpty() || measure(rest) <= width) {
            lines.push_back(rest);
            continue;
        }
        while (!rest.isEmpty()) {
            // The longest start that fits, found by halving; never fewer than one character.
            int low = 1;
            int high = static_cast<int>(rest.size());
            while (low < high) {
                const int middle = (low + high + 1) / 2;
                if (measure(rest.left(middle)) <= width)
                    low = middle;
                else
                    high = middle - 1;
            }
            if (low < rest.size() && rest[low - 1].isHighSurrogate() && low > 1)
                --low;
            int next = low;
            if (at == Break::AtBlanks && low < rest.size()) {
                // Back to the blank before the word the break would cut; a line without one breaks as it is.
                int end = low;
                if (!rest[low].isSpace()) {
                    while (end > 0 && !rest[end - 1].isSpace())
                        --end;
                }
                while (end > 0 && rest[end - 1].isSpace())
                    --end;
                if (end > 0) {
                    low = end;
                    next = end;
                    while (next < rest.size() && rest[next].isSpace())
                        ++next;
                }
            }
            lines.push_back(rest.left(low));
            rest = rest.mid(next);
        }
    }
    return lines;
}

QString ElideText(const QString& text, int width, const Measure& measure) {
    if (measure(text) <= width)
        return text;
    const QString ellipsis = QStringLiteral("...");
    const int room = width - measure(ellipsis);
    int count = 0;
    const QStringList fitting = WrapText(text, std::max(1, room), measure);
    if (!fitting.isEmpty() && room > 0)
        count = static_cast<int>(fitting.first().size());
    return text.left(count) + ellipsis;
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
