#pragma once

#include <QFontDatabase>

#include <gtest/gtest.h>

// Tests that measure or print Japanese text need an installed face that draws it; without one every character
// is an empty box of the fallback face, and widths, hit tests and the text read back from a printout are wrong.
// The build script installs this package; the test program that prints checks it once by name and the other
// tests that need it are skipped with a pointer to that check, so a machine without it shows one clear failure.
inline constexpr char kJapaneseFontPackage[] = "fonts-ipafont-gothic";

// Needs the test program's QGuiApplication.
inline bool HasJapaneseFont() {
    return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

#define SKIP_WITHOUT_JAPANESE_FONT()                                                                                   \
    do {                                                                                                               \
        if (!HasJapaneseFont())                                                                                        \
            GTEST_SKIP() << "No installed font draws Japanese (package " << kJapaneseFontPackage                       \
                         << "): see InstalledFonts.SomeFaceDrawsJapanese";                                             \
    } while (false)
