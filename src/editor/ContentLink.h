#pragma once

#include <QString>

#include <optional>
#include <vector>

// A link of a content text as it shows: its first character and its length.
struct ContentLink {
    qsizetype start = 0;
    qsizetype length = 0;

    bool operator==(const ContentLink&) const = default;
};

// The links of a content text: each word that begins with a link scheme ("http:", "https:", "ftp:", "file:",
// "mailto:", "news:", "nntp:", "telnet:", "gopher:", "wais:", "prospero:", in any case) at a line start or after
// a blank or a double quote. A link runs to the next blank or line end; one after a double quote runs to the
// closing quote or the line end, blanks included.
std::vector<ContentLink> FindContentLinks(const QString& text);
// A logic line's text as the link rules read it: the statement's brackets ("<", ">", "{", "}", "[", "]"), which no
// slot text holds, stand as blanks, so that an address written into a slot begins and ends with the slot.
QString LinkTextOfLogicLine(QString line);
// The link that holds the character at `position`, if any.
std::optional<ContentLink> ContentLinkAt(const QString& text, qsizetype position);

// What a press on a link opens, and how many characters were walked to find it (the ones selected).
struct ContentLinkTarget {
    QString target;
    qsizetype walked = 0;
};
// Walks the text from the link's start: a double quote (one right before the link included) toggles the
// quoted mode and is left out; a blank or an ideographic blank ends the target outside quotes and belongs to it
// inside; a line end ends it.
ContentLinkTarget ReadContentLinkTarget(const QString& text, qsizetype linkStart);
