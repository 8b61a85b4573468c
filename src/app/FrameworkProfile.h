#pragma once

#include <QString>

// The values the program keeps per user beside its own section: each declared once here, with its kind and
// the value it reads as when it is missing or of another kind.
namespace FrameworkProfile {

// The section of the settings store that holds them.
inline QString Section() {
    return QStringLiteral("Profile");
}

// Dword: the look chosen last (210-218). Written when a look is chosen; every start applies its own look.
inline QString ApplicationLook() {
    return QStringLiteral("ApplicationLook");
}

// Dword, always written 1 by the language switches; nothing reads it.
inline QString ClearRegistryStateInNextExecution() {
    return QStringLiteral("ClearRegistryStateInNextExecution");
}

// Text: which toolbars show and the user-defined toolbars with their commands; empty when missing, which
// shows both toolbars of the program and no others.
inline QString ToolBars() {
    return QStringLiteral("ToolBars");
}

} // namespace FrameworkProfile
