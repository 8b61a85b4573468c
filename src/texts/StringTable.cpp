#include "texts/StringTable.h"

#include "texts/MessageContext.h"

#include <atomic>

namespace {

std::atomic<int> textLanguage = 0;

} // namespace

// One case per text, so a number given twice does not compile.
QString LoadString(StringId id) {
    switch (id) {
#define NUV_STRING(name, text)                                                                                         \
    case StringId::name:                                                                                               \
        return QStringLiteral(text);
#define NUV_STRING_ID(name, number, text) NUV_STRING(name, text)
#define NUV_TEXT(name, japanese, english)                                                                              \
    case StringId::name:                                                                                               \
        return textLanguage == 1 ? QStringLiteral(japanese) : QStringLiteral(english);
#include "texts/StringList.inc"
#undef NUV_STRING
#undef NUV_STRING_ID
#undef NUV_TEXT
    case StringId::FirstUnnumbered:
        break;
    }
    return {};
}

void SetTextLanguage(int language) {
    textLanguage = language;
}

QString LoadString(const CMessageContext& context, StringId japanese, StringId english) {
    return LoadString(context.m_language == 1 ? japanese : english);
}
