#pragma once

#include "editor/LineMarkTip.h"

#include <QString>

// The link that covers a column of a logic line's text: a web, mail or file address written into a slot.
// Its text runs as ExtractLinkText reads it; found is false when no link covers the column.
struct LinkAtColumn {
    bool found = false;
    LinkText link;
};
LinkAtColumn FindLinkAt(const QString& text, int column);
