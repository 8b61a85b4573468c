#include "search/SearchDialogRules.h"

#include <iterator>

namespace SearchDialogRules {

bool CanSearch(const QString& findText, bool header, bool content, bool logic) {
    return !findText.isEmpty() && (header || content || logic);
}

bool CanReplace(const QString& findText, const QString& replaceText) {
    return !findText.isEmpty() || !replaceText.isEmpty();
}

int MatchRateIndex(int storedRate) {
    for (int k = 0; k < static_cast<int>(std::size(MatchRates)); ++k)
        if (MatchRates[k] == storedRate)
            return k;
    return 0;
}

std::optional<int> ParseMinimumLength(const QString& text) {
    int value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = value * 10 + (c.unicode() - '0');
        if (value > 64)
            return std::nullopt;
    }
    if (value < 1)
        return std::nullopt;
    return value;
}

} // namespace SearchDialogRules
