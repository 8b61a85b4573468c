#include "platform/EditControlText.h"

#include "platform/WholeCharacters.h"

QString FirstDroppedFilePath(const QList<QUrl>& urls) {
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

std::optional<qsizetype> FindOccurrence(const QString& text, const QString& find, int count) {
    if (count < 1 || find.isEmpty())
        return std::nullopt;
    qsizetype from = 0;
    for (int found = 0;; from += find.size()) {
        from = text.indexOf(find, from, Qt::CaseSensitive);
        if (from < 0)
            return std::nullopt;
        if (++found == count)
            return from;
    }
}

TextSelection SelectionOfOccurrence(const QString& text, const QString& find, int count, qsizetype expectedStart) {
    const std::optional<qsizetype> start = FindOccurrence(text, find, count);
    if (!start || (expectedStart != -1 && expectedStart != *start))
        return {};
    return {*start, find.size()};
}

QString LimitSelectedText(const QString& selected) {
    return selected.left(platform::WholeCharactersLength(selected, MaxSelectedTextLength));
}

bool IsFloatEditCharacter(QChar character) {
    return character == QLatin1Char('.') || character.isDigit();
}
