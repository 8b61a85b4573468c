#pragma once

#include <QString>

class CMessageSettings;

// One function per word, language and form the UI texts use: GetMessage_<key>_Ja, _EnSingular, _EnPlural.
using WordLookup = QString (*)(const CMessageSettings& settings);

#define NUV_WORD_LOOKUP(name, key, language, form) QString GetMessage_##name(const CMessageSettings& settings);
#include "texts/WordLookupList.inc"
#undef NUV_WORD_LOOKUP
