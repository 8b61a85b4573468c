#pragma once

#include <QtGlobal>

// The 16 colours that settings refer to by number; red in the low byte, then green, then blue.
// Colour 7 is a light grey of 224, not 192.
constexpr quint32 kStandardColours[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xE0E0E0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};
