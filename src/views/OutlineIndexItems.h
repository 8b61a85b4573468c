#pragma once

#include "model/AbstractIndexItem.h"
#include "model/FontSetting.h"

#include <QString>

// What the outline-ordered table of contents shows of an item: its text with the optional number before and
// places after the name (a name longer than a row can show cut with an ellipsis), its icon, and the font the tree
// takes from the document.
class COutlineIndexItems {
public:
    enum Icon { UnusedIcon = 1, UsedIcon = 2, CycleIcon = 9 };

    static QString ItemText(const CAbstractIndexItem& item, const ModelOptions& options, bool showPrefix,
                            bool showPostfix);
    static int ItemIcon(const CAbstractIndexItem& item);
    // The document's font as the tree shows it: the default face for an empty one, 10 pt for a size outside
    // 8 to 16 pt.
    static FontSetting ShownFont(const FontSetting& font);
};
