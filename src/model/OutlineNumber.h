#pragma once

#include <QString>

#include <vector>

// 1-based child positions from the origin; the origin's own number is empty.
using OutlineNumber = std::vector<int>;

// How deep a table of contents may nest: every place shows its whole number, so what a program shows or writes of
// a table of contents grows with the square of its depth. Documents nested deeper are not read; maps nested deeper
// are not converted.
constexpr int kMaxOutlineDepth = 10000;

// A place in the hierarchy: the place of its parent and its 1-based position there (the origin's place has
// neither). Places share their prefixes, so a deep hierarchy costs one record per place, and its number is
// derived when asked for. `order` counts places in outline order where the registry numbers them.
struct OutlinePlace {
    const OutlinePlace* parent = nullptr;
    int position = 0;
    quint32 order = 0;
};

// The number of a place; null gives the empty number.
OutlineNumber GetOutlineNumber(const OutlinePlace* place);

// "1.12.3"; an empty number gives "0".
QString GetOutlineNumberText(const OutlineNumber& number);

// Reads "1.2.3". Anything but digits and single points between them fails, and so does an element beyond the
// int range. An element may be 0, though no place has that position.
bool ParseOutlineNumber(const QString& text, OutlineNumber& number);
