#pragma once

#include "model/DocumentFile.h"
#include "platform/FileReplacement.h"

#include <QString>
#include <QtGlobal>

#include <optional>

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

// Which file a document's path named when the document was read from it or last written into it, and what that
// file was then.
struct DocumentFileIdentity {
    // False when nothing was there to name.
    bool known = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    // Nanoseconds since the epoch: of the last change of the content, and of the content or status, which no program
    // can set back.
    qint64 modified = 0;
    qint64 changed = 0;
    // Nanoseconds since the epoch: a moment right before the identity was read (FileReplacement::FileState::taken).
    qint64 taken = 0;
    // The digest of the content read or written (platform::ContentDigest), where it is known: a file whose status
    // alone changed since (a second name, new bits) is the same file when it still holds that.
    std::optional<quint64> digest;
    // The path itself is a symbolic link.
    bool link = false;
};
// The identity of the file at `path` now, links followed, without its digest. With `fd`, that of the file open as
// `fd`, read through `path`.
DocumentFileIdentity ReadFileIdentity(const QString& path, int fd = -1);
// The identity of a file in `state` (as a save left it, say), named by a link when `link`, holding what has `digest`.
DocumentFileIdentity FileIdentity(const platform::FileReplacement::FileState& state, bool link,
                                  std::optional<quint64> digest);
// The state of the file of `identity`, for a write that must find it.
platform::FileReplacement::FileState FileStateOf(const DocumentFileIdentity& identity);
// Whether `now` differs from `known` in the time of the last change alone, as a second name or new permission bits
// make it, and as a change of the content whose modification time is set back does: only the content tells which.
bool StatusChangedAlone(const DocumentFileIdentity& known, const DocumentFileIdentity& now);

// How the path of a document came to name something other than the file read or last written there. A file whose
// status alone changed is another unless `now` has the digest `known` has.
enum class FileIdentityChange { None, Changed, Deleted, Moved, ReplacedByLink };
// `known` is the identity the path had, `now` the one it has; `stillNamed` whether the known file has a name
// somewhere still (then a path with nothing there was moved, else deleted).
FileIdentityChange CompareFileIdentity(const DocumentFileIdentity& known, const DocumentFileIdentity& now,
                                       bool stillNamed);
// What happened to the file at `path`, for the user.
QString FileIdentityChangeText(FileIdentityChange change, const QString& path);
