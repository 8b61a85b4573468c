#include "texts/WordLookups.h"

#include "texts/MessageSettings.h"

#define NUV_WORD_LOOKUP(name, key, language, form)                                                                     \
    QString GetMessage_##name(const CMessageSettings& settings) {                                                      \
        return settings.GetEntry(QStringLiteral(key), language, QStringLiteral(form));                                 \
    }
#include "texts/WordLookupList.inc"
#undef NUV_WORD_LOOKUP
