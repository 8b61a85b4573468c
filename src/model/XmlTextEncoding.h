#pragma once

#include <QByteArray>

#include <cstddef>

// The parser takes UTF-8 and checks no encoding, so the bytes of a file are checked (and, for a map,
// decoded) here before they reach it.

// Well-formed UTF-8: no stray, truncated or overlong sequence, no surrogate, nothing above U+10FFFF.
bool IsValidUtf8(const char* bytes, std::size_t size);

// A character XML 1.0 allows in a document.
bool IsXmlCharacter(char32_t c);

// Whether the text holds a character reference ("&#...;", outside comments, CDATA sections and processing
// instructions) to a value `refused` refuses. The parser would decode a reference to NUL, and one past the
// last character that wraps to it, as the end of the text it is in.
bool HasRefusedCharacterReference(const char* bytes, std::size_t size, bool (*refused)(char32_t));

// 3 when the bytes start with the UTF-8 byte-order mark, else 0.
std::size_t Utf8ByteOrderMarkLength(const char* bytes, std::size_t size);

// The bytes of an XML file in any encoding, made UTF-8 without a byte-order mark. A byte-order mark (UTF-8,
// UTF-16, UTF-32) names the encoding, else the declaration does, else it is UTF-8. False when that encoding
// is unknown or the bytes are not valid in it.
bool DecodeXmlToUtf8(QByteArray& bytes);
