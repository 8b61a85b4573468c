#pragma once

#include "platform/SettingsStore.h"

#include <QString>

// Every value the program keeps per user, declared once: the section and name it is stored under, its kind
// and what it reads as when it is missing or of another kind. Readers and writers name the value here and
// go through the typed operations of the settings store.
namespace UserSettings {

// The program's own section.
inline QString ProgramSection() {
    return QStringLiteral("NUV_Pral");
}

// The section the application framework keeps its own values in.
inline QString FrameworkSection() {
    return QStringLiteral("Profile");
}

// The message language chosen last: 1 Japanese, 0 English. Written by the language switches.
inline platform::DwordSetting Language() {
    return {ProgramSection(), QStringLiteral("language"), 1};
}

// The language the editor and the test tools speak: the one chosen last, English when none was chosen.
inline int ChosenLanguage() {
    return platform::StoredSetting(Language()) == 1u ? 1 : 0;
}

// Nonzero: a new document starts from the template file.
inline platform::DwordSetting UseTemplate() {
    return {ProgramSection(), QStringLiteral("UseTemplate"), 0};
}

// The template file a new document starts from while templates are in use.
inline platform::TextSetting TemplateFilename() {
    return {ProgramSection(), QStringLiteral("TemplateFilename"), QString()};
}

// Seconds the start-up window stays.
inline platform::DwordSetting StartUpWait() {
    return {ProgramSection(), QStringLiteral("StartUpWait"), 3};
}

// One edited wording entry, under the entry's own name ("Message-<key>-<ja|en>-<form>"); a missing entry
// keeps the built-in wording.
inline platform::TextSetting WordingEntry(const QString& entryName) {
    return {ProgramSection(), entryName, QString()};
}

// Always written 1 by the language switches; nothing reads it.
inline platform::DwordSetting ClearRegistryStateInNextExecution() {
    return {FrameworkSection(), QStringLiteral("ClearRegistryStateInNextExecution"), 0};
}

// The look chosen last (210-218). Written when a look is chosen; every start applies its own look.
inline platform::DwordSetting ApplicationLook() {
    return {FrameworkSection(), QStringLiteral("ApplicationLook"), 0};
}

// Which toolbars show and the user-defined toolbars with their commands; empty shows both toolbars of the
// program and no others.
inline platform::TextSetting ToolBars() {
    return {FrameworkSection(), QStringLiteral("ToolBars"), QString()};
}

// The documents opened or saved last, entry 0 the newest; an empty entry holds no document.
constexpr int RecentFileCount = 4;
inline platform::TextSetting RecentFile(int index) {
    return {QStringLiteral("Recent File List"), QStringLiteral("File%1").arg(index + 1), QString()};
}

} // namespace UserSettings
