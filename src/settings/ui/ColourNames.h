#pragma once

#include "texts/ColorNameList.h"

#include <QComboBox>

// Fills a colour picker with the sixteen colour names, so that an item's row is its colour index.
inline void AddColourNames(QComboBox& box, const CMessageContext& context) {
    std::vector<QString> names;
    FillColorNameList(names, context);
    for (const QString& name : names)
        box.addItem(name);
}
