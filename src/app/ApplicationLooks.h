#pragma once

#include <QString>

#include <cstdint>

// The visual styles of the main window, one per look command (210-218): a widget style and the colours of
// its palette, as RGB values.
struct ApplicationLook {
    int id;
    // The widget style the look is drawn with ("Fusion", "Windows").
    const char* styleName;
    uint32_t window;
    uint32_t windowText;
    uint32_t base;
    uint32_t alternateBase;
    uint32_t text;
    uint32_t button;
    uint32_t buttonText;
    uint32_t highlight;
    uint32_t highlightedText;
    uint32_t disabledText;
};

// Null for an id outside 210-218.
const ApplicationLook* FindApplicationLook(int id);

// Remembers the chosen look in the per-user settings; false when it could not be written.
bool StoreApplicationLook(int id);
