#include "editor/LogicTextSearch.h"

#include <algorithm>

std::optional<EditPosition> FindNextInLines(const QStringList& lines, EditPosition from, const QString& text) {
    const int count = static_cast<int>(lines.size());
    if (text.isEmpty() || count == 0)
        return std::nullopt;
    const int first = std::clamp(from.line, 0, count - 1);
    const int start = from.line == first ? std::max(0, from.column) : 0;
    for (int step = 0; step <= count; ++step) {
        const int line = (first + step) % count;
        // Round again on the first line: only what starts before where the search began.
        const qsizetype found = lines[line].indexOf(text, step == 0 ? start : 0);
        if (found >= 0 && (step < count || found < start))
            return EditPosition{line, static_cast<int>(found)};
    }
    return std::nullopt;
}
