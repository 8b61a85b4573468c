#pragma once

#include "platform/FileReplacement.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {
class CodePageTextFile;
}

// The messages every export shows around the file it writes.

// Before an export replaces the file at `path`, ahead of any question: a document that an editor holds
// (platform::DocumentHolder; this editor's own open document too) is refused with the in-use message; an existing
// file is then asked about (Yes/No, warning icon, No the default). True when the export may write the file.
bool ConfirmExportFile(const QString& path);
// The overwrite question of ConfirmExportFile alone, for a writer that has refused a document in use itself: true
// when no file is at `path` or the answer is Yes.
bool ConfirmOverwrite(const QString& path);
// After the export: the file at `path` now holds `what` (information icon), and WrittenEncodingNote.
void ShowExportedMessage(const QString& path, const QString& what, qsizetype replacedCharacters = 0,
                         bool inUtf8 = false);
// What an export says of a file the code page could not hold: how many characters were written as "?", or that the
// file was written in UTF-8 instead; each on a line of its own after a line end. Empty when neither.
QString WrittenEncodingNote(qsizetype replacedCharacters, bool inUtf8);
// The file at `path` could not be written (warning icon), and why when `reason` is given.
void ShowCannotWriteFileMessage(const QString& path, const QString& reason = QString());
// Its text.
QString CannotWriteFileText(const QString& path, const QString& reason);
// The in-use message: the document at `path` is held by `holder`.
QString InUseText(const QString& path, const QString& holder);
// Whether a write of the file at `path` is refused because it is a document that an editor holds
// (platform::DocumentHolder; this editor's own open document too); the refusal is said. The check every file a
// user names for output passes before anything is asked about it.
bool RefuseFileInUse(const QString& path);
// Why a file was not replaced: for want of room, the room in each folder that would let it through
// (`roomWanted`); else the text of a refusal of the file at `path` (for a file in use, `errorText` names its
// holder), or else the system's `errorText`.
QString ReplacementFailureText(platform::FileReplacement::Refusal refusal, const QString& path,
                               const QString& errorText, const QList<platform::FileReplacement::Room>& roomWanted = {});
// Why `file`, the replacement of the file at `path` or a text file written through one, did not open or commit.
QString ReplacementFailureText(const platform::FileReplacement& file, const QString& path);
QString ReplacementFailureText(const platform::CodePageTextFile& file, const QString& path);
// Replaces the content of the file at `path` with `bytes` through the one replacement: nothing when it is written,
// else why not (the file as it was).
std::optional<QString> ReplaceFileContent(const QString& path, const QByteArray& bytes);
