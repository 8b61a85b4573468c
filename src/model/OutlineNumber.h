#pragma once

#include <QString>

#include <vector>

// 1-based child positions from the origin; the origin's own number is empty.
using OutlineNumber = std::vector<int>;

// "1.12.3"; an empty number gives "0".
QString GetOutlineNumberText(const OutlineNumber& number);

// Reads "1.2.3". Anything but digits and single points between them fails, and so does an element that is
// 0 or beyond the int range, since no place has such a position.
bool ParseOutlineNumber(const QString& text, OutlineNumber& number);
