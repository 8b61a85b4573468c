#pragma once

#include <QByteArray>

#include <cstddef>
#include <optional>

// Base64 of the document file: standard alphabet with "=" padding, lines of 76 characters joined by CR LF.

// Buffer size the encoder asks for n input bytes (the text and room for the line breaks); empty when n is
// too large for any text to hold.
std::optional<std::size_t> Base64EncodedLength(std::size_t n);

// Encodes the bytes; the full groups are cut into lines of 76 characters, the padded tail follows the last
// line without a break. Throws std::bad_alloc for more bytes than a text can hold.
QByteArray Base64Encode(const char* data, std::size_t length);

// Decodes every run of alphabet characters, skipping anything else (line breaks, blanks, padding); stops
// at a NUL where a group would begin.
QByteArray Base64Decode(const char* text, std::size_t length);
