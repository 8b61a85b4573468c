#pragma once

#include <QString>

#include <optional>

// The rules of the search, replace and similar-word dialogs, apart from their widgets.
namespace SearchDialogRules {

// The search button: a find text and at least one target.
bool CanSearch(const QString& findText, bool header, bool content, bool logic);
// The replace button: a find text or a replacement.
bool CanReplace(const QString& findText, const QString& replaceText);

// The match rates offered; a stored rate that is not one of them shows the first.
constexpr int MatchRates[] = {60, 70, 80, 90, 100};
int MatchRateIndex(int storedRate);
// The minimum characters typed: read as a decimal number (no leading digits read as 0), valid from 1 to 64.
std::optional<int> ParseMinimumLength(const QString& text);

} // namespace SearchDialogRules
