#pragma once

#include <QString>

struct CMessageContext;

// Upper-cases a first character "a" to "z" and nothing else: no locale, no other letters.
QString CapitalizeFirstLetter(QString text);
// A menu caption: "ファイル(&F)" in Japanese, "&File" in English; ampersands of the text are kept literal.
QString MakeMenuItemText(const CMessageContext& context, const QString& text, const QString& mnemonic);
