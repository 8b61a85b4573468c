#pragma once

#include "platform/FileReplacement.h"

#include <QString>

// The messages every export shows around the file it writes.

// Asks whether the existing file at `path` may be overwritten (Yes/No, warning icon, No the default); true
// only for Yes.
bool AskOverwriteExistingFile(const QString& path);
// After the export: the file at `path` now holds `what` (information icon), and how many characters the code page
// of the file could not hold and were written as "?", when any were.
void ShowExportedMessage(const QString& path, const QString& what, qsizetype replacedCharacters = 0);
// The file at `path` could not be written (warning icon), and why when `reason` is given.
void ShowCannotWriteFileMessage(const QString& path, const QString& reason = QString());
// Why a file was not replaced: the text of a refusal of the file at `path`, or else the system's `errorText`.
QString ReplacementFailureText(platform::FileReplacement::Refusal refusal, const QString& path,
                               const QString& errorText);
