#pragma once

#include "model/DocumentFile.h"

#include <QString>

class CDocumentData;
class QDateTime;

// The rules of saving that need no window: the title text, the proposed version and file name, the
// automatic-saving interval.

// The window title for the document's state: empty without a document, `templateName` for a document
// without a file, else the file name with the open mode's suffix (read-only, watched, stored version).
QString ComposeWindowTitle(const QString& path, int openMode, const CDocumentData& data, const QString& templateName);

// A version number is major.minor, major 0 to 9999 and minor 0 to 99.
constexpr int kMaxVersionMajor = 9999;
constexpr int kMaxVersionMinor = 99;

struct ProposedVersion {
    int major = 0;
    int minor = 0;
};
// The number the version dialog proposes: from the last stored version's label, raised as the document's
// version options say.
ProposedVersion ProposeVersionNumber(const CDocumentData& data);
// What the version dialog starts from: the proposed number (within the ranges), the time `now` and the
// user's name, no comment.
VersionHistoryEntry MakeVersionEntry(const ProposedVersion& version, const QDateTime& now);

// A name for the save prompt made from a title: cut before the first ':', '/' or '\', made safe as a file
// name, with `extension` (".nuv") appended unless it already ends with it in any letter case.
QString MakeProposedSaveName(const QString& title, const QString& extension);

// Milliseconds between automatic saves of the document, 0 when it is not saved automatically.
int AutoSaveTimerInterval(const CDocumentData& data);
