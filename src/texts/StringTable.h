#pragma once

#include <QString>

#include <cstdint>

// The fixed texts the system shows or writes. A text of the system's string table has its number as the value
// of its id; the others are numbered after FirstUnnumbered, above the highest of those (57344).
enum class StringId : std::uint16_t {
    FirstUnnumbered = 60000,
#define NUV_STRING(name, text) name,
#define NUV_STRING_ID(name, number, text)
#define NUV_TEXT(name, japanese, english) name,
#include "texts/StringList.inc"
#undef NUV_STRING
#undef NUV_STRING_ID
#undef NUV_TEXT
#define NUV_STRING(name, text)
#define NUV_STRING_ID(name, number, text) name = number,
#define NUV_TEXT(name, japanese, english)
#include "texts/StringList.inc"
#undef NUV_STRING
#undef NUV_STRING_ID
#undef NUV_TEXT
};

struct CMessageContext;

// The text of `id`; one of this program's own texts in the language set by SetTextLanguage.
QString LoadString(StringId id);
// The language this program's own texts show in: 1 Japanese, any other value English (the message context's
// rule). The editor sets its interface's language when it starts; until then, and in the converter and the tools,
// they are English.
void SetTextLanguage(int language);
// A text kept in both languages: `japanese` when the context's language is Japanese, else `english`.
QString LoadString(const CMessageContext& context, StringId japanese, StringId english);
