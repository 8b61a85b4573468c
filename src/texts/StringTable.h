#pragma once

#include <QString>

#include <cstdint>

// The fixed texts the system shows or writes. A text of the system's string table has its number as the value
// of its id; the others are numbered after FirstUnnumbered, above the highest of those (57344).
enum class StringId : std::uint16_t {
    FirstUnnumbered = 60000,
#define NUV_STRING(name, text) name,
#define NUV_STRING_ID(name, number, text)
#include "texts/StringList.inc"
#undef NUV_STRING
#undef NUV_STRING_ID
#define NUV_STRING(name, text)
#define NUV_STRING_ID(name, number, text) name = number,
#include "texts/StringList.inc"
#undef NUV_STRING
#undef NUV_STRING_ID
};

struct CMessageContext;

QString LoadString(StringId id);
// A text kept in both languages: `japanese` when the context's language is Japanese, else `english`.
QString LoadString(const CMessageContext& context, StringId japanese, StringId english);
