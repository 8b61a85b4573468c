#pragma once

#include <QString>
#include <QStringView>

struct CMessageContext;

// What to say of a user's file that was not opened: that it is not a regular file when so, else `otherwise`.
QString UnopenedFileText(const QString& path, const QString& otherwise);
// What to say of a user's file that a reader bound to `maxBytes` did not read, when the file itself says why: not a
// regular file, one this user may not read, or one larger than the bound; else `otherwise`.
QString UnreadFileText(const CMessageContext& context, const QString& path, qint64 maxBytes, const QString& otherwise);
// That memory ran out while the file was read.
QString FileReadOutOfMemoryText(const CMessageContext& context, const QString& path);
// Upper-cases a first character "a" to "z" and nothing else: no locale, no other letters.
QString CapitalizeFirstLetter(QString text);
// A text shown as written in a menu entry, tab or button: its ampersands are doubled, so that none reads as an
// access key.
QString LiteralCaption(QString text);
// A menu caption: "ファイル(&F)" in Japanese, "&File" in English; ampersands of the text are kept literal.
QString MakeMenuItemText(const CMessageContext& context, const QString& text, const QString& mnemonic);
// The default name of a line-mark attribute (0 to 14) and of group index + 1 (0 to 3) in the context's language.
QString GetVeskAttributeText(const CMessageContext& context, int index);
QString GetVeskGroupName(const CMessageContext& context, int index);

// What a view shows of a text such as a name, so that it lays out no more than a row of the widest screen holds
// however long the text is: the whole text up to `shownLength` characters; of a longer one a stretch of that many
// with "…" where it is cut, at the end or at both ends. The stretch is the text's start, or, when the part of
// `length` characters at `start` (a search hit) ends past that, the text around the part, which it holds whole. A
// pair of surrogates is never split. A row that shows more than a name, such as a line of the result pane, may hold
// a longer stretch.
inline constexpr qsizetype ShownTextLength = 1024;
QString ShownText(const QString& text, qsizetype start = 0, qsizetype length = 0,
                  qsizetype shownLength = ShownTextLength);
// A path of more than `maxLength` characters shortened in its middle, as menus show paths: the folders between its
// first and its last ones that do not fit give way to "…" ("/home/…/specs/rice-cooker.nuv"); a file name too long
// for that is cut in its middle.
QString ShortenPathInMiddle(const QString& path, qsizetype maxLength);
// What a message, a menu or a view shows of a path or a link: the whole of one up to ShownTextLength characters, a
// longer one shortened in its middle, keeping its file name (ShortenPathInMiddle).
QString ShownPath(const QString& path);
