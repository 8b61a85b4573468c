#pragma once

#include <QString>

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
