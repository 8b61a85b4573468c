#include "editor/ContentLink.h"

namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\x3000';
}

bool IsLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

} // namespace

QString LinkTextAt(const QString& text, int position) {
    if (position < 0 || position >= text.size() || IsLineEnd(text.at(position)))
        return {};
    // Quoted mode at the position: the quotes counted from the start of its line.
    qsizetype lineStart = position;
    while (lineStart > 0 && !IsLineEnd(text.at(lineStart - 1)))
        --lineStart;
    bool quoted = false;
    qsizetype start = lineStart;
    for (qsizetype i = lineStart; i < position; ++i) {
        const QChar c = text.at(i);
        if (c == u'"') {
            quoted = !quoted;
            start = i + 1;
        } else if (!quoted && IsBlank(c)) {
            start = i + 1;
        }
    }
    if (!quoted && IsBlank(text.at(position)))
        return {};
    QString link;
    for (qsizetype i = start; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"')
            quoted = !quoted;
        else if (IsLineEnd(c) || (!quoted && IsBlank(c)))
            break;
        else
            link += c;
    }
    return link;
}
