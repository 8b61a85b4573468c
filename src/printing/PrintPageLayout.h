#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// Breaking printed text into lines and lines into pages.
namespace PrintPageLayout {

using Measure = std::function<int(const QString&)>;

// Where a line too wide breaks: AtCharacters after its last fitting character; AtBlanks at the last blank before
// that, the blanks at the break dropped, and after the last fitting character only where no blank comes before it.
enum class Break { AtCharacters, AtBlanks };

// The text's paragraphs broken where the next character would pass `width`; an empty paragraph stays one empty
// line, and every line holds at least one character however narrow the width.
QStringList WrapText(const QString& text, int width, const Measure& measure, Break at = Break::AtCharacters);
// The text cut to `width` with "..." at its end when it is wider.
QString ElideText(const QString& text, int width, const Measure& measure);
// The first line of each page for lines of these heights on pages `pageHeight` high; a line higher than a page
// gets a page of its own. A line marked in `keepWithNext` (a heading) moves to the next page with the line after
// it unless it opens its page. No lines, no pages.
std::vector<int> BreakPages(const std::vector<int>& heights, int pageHeight,
                            const std::vector<bool>& keepWithNext = {});

} // namespace PrintPageLayout
