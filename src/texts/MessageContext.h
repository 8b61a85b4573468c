#pragma once

#include "texts/MessageSettings.h"

// The language and the live wording table every UI text is built from.
struct CMessageContext {
    int m_language = 0; // 1 Japanese, any other value English
    CMessageSettings m_settings;
};
