#include "editor/ContentLink.h"

#include <array>

namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\x3000';
}

bool IsLineEnd(QChar c) {
    return c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

bool StartsWithScheme(const QString& text, qsizetype at) {
    static const std::array<QStringView, 11> schemes = {u"http:",   u"https:", u"ftp:",     u"file:",
                                                        u"mailto:", u"news:",  u"nntp:",    u"telnet:",
                                                        u"gopher:", u"wais:",  u"prospero:"};
    const QStringView rest = QStringView(text).mid(at);
    for (QStringView scheme : schemes) {
        if (rest.startsWith(scheme, Qt::CaseInsensitive) && rest.size() > scheme.size() &&
            !IsBlank(rest.at(scheme.size())) && !IsLineEnd(rest.at(scheme.size())))
            return true;
    }
    return false;
}

} // namespace

std::vector<ContentLink> FindContentLinks(const QString& text) {
    std::vector<ContentLink> links;
    qsizetype i = 0;
    while (i < text.size()) {
        const bool wordStart = i == 0 || IsBlank(text.at(i - 1)) || IsLineEnd(text.at(i - 1)) || text.at(i - 1) == u'"';
        if (!wordStart || !StartsWithScheme(text, i)) {
            ++i;
            continue;
        }
        const bool quoted = i > 0 && text.at(i - 1) == u'"';
        qsizetype end = i;
        while (end < text.size() && !IsLineEnd(text.at(end)) &&
               (quoted ? text.at(end) != u'"' : !IsBlank(text.at(end))))
            ++end;
        links.push_back({i, end - i});
        i = end;
    }
    return links;
}

QString LinkTextOfLogicLine(QString line) {
    for (QChar& c : line) {
        if (c == u'<' || c == u'>' || c == u'{' || c == u'}' || c == u'[' || c == u']')
            c = u' ';
    }
    return line;
}

std::optional<ContentLink> ContentLinkAt(const QString& text, qsizetype position) {
    for (const ContentLink& link : FindContentLinks(text)) {
        if (position >= link.start && position < link.start + link.length)
            return link;
    }
    return std::nullopt;
}

ContentLinkTarget ReadContentLinkTarget(const QString& text, qsizetype linkStart) {
    ContentLinkTarget result;
    bool quoted = linkStart > 0 && text.at(linkStart - 1) == u'"';
    qsizetype i = linkStart;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"')
            quoted = !quoted;
        else if (IsLineEnd(c) || (!quoted && IsBlank(c)))
            break;
        else
            result.target += c;
    }
    result.walked = i - linkStart;
    return result;
}
