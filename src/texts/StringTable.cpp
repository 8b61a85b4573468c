#include "texts/StringTable.h"

#include "texts/MessageContext.h"

// One case per text, so a number given twice does not compile.
QString LoadString(StringId id) {
    switch (id) {
#define NUV_STRING(name, text)                                                                                         \
    case StringId::name:                                                                                               \
        return QStringLiteral(text);
#define NUV_STRING_ID(name, number, text) NUV_STRING(name, text)
#include "texts/StringList.inc"
#undef NUV_STRING
#undef NUV_STRING_ID
    case StringId::FirstUnnumbered:
        break;
    }
    return {};
}

QString LoadString(const CMessageContext& context, StringId japanese, StringId english) {
    return LoadString(context.m_language == 1 ? japanese : english);
}
