#pragma once

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

// What the small edit controls decide about their text: which dropped file they take, which occurrence of a
// text they select and which characters a number box admits.

// The path of the first local file among dropped items; empty when none of them is a local file.
QString FirstDroppedFilePath(const QList<QUrl>& urls);

// The UTF-16 start of the `count`-th (1-based) occurrence of `find` in `text`, case-sensitive, occurrences not
// overlapping; nothing when there are fewer, `count` is below 1 or `find` is empty.
std::optional<qsizetype> FindOccurrence(const QString& text, const QString& find, int count);

// Where a selection of the `count`-th occurrence of `find` lies: its start and length, or (0, 0) when there is
// no such occurrence, `count` is 0, or `expectedStart` is not -1 and differs from the occurrence's start.
struct TextSelection {
    qsizetype start = 0;
    qsizetype length = 0;
};
TextSelection SelectionOfOccurrence(const QString& text, const QString& find, int count, qsizetype expectedStart);

// At most the first 256 UTF-16 units of a search text taken from a selection, never half a character.
constexpr qsizetype MaxSelectedTextLength = 256;
QString LimitSelectedText(const QString& selected);

// A number box admits digits and the point only: no sign, no exponent, no letter, no control character.
bool IsFloatEditCharacter(QChar character);
