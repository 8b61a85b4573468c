#include "editor/LogicLinks.h"

#include <QStringList>

namespace {

bool EndsWord(QChar c) {
    return c == u' ' || c == u'\t' || c == QChar(0x3000) || c == u'"';
}

} // namespace

LinkAtColumn FindLinkAt(const QString& text, int column) {
    LinkAtColumn result;
    if (column < 0 || column > text.size())
        return result;
    int start = column;
    while (start > 0 && !EndsWord(text[start - 1]))
        --start;
    static const QStringList prefixes = {QStringLiteral("http://"), QStringLiteral("https://"),
                                         QStringLiteral("ftp://"),  QStringLiteral("mailto:"),
                                         QStringLiteral("file:"),   QStringLiteral("www.")};
    const QStringView word = QStringView(text).mid(start);
    bool linked = false;
    for (const QString& prefix : prefixes)
        linked = linked || word.startsWith(prefix, Qt::CaseInsensitive);
    if (!linked)
        return result;
    result.link = ExtractLinkText(text, start);
    result.found = !result.link.text.isEmpty() && column >= result.link.start && column <= result.link.end;
    return result;
}
