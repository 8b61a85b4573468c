#pragma once

#include <QStringList>

// The font faces the user picked last, most recent first; the application keeps them for the process and
// every document file carries a copy.
class CRecentFontFaces {
public:
    static constexpr int MaxCount = 4;

    static QStringList& Faces();
};
