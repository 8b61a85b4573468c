#pragma once

#include <QString>

#include <optional>

struct InstanceRecord;

// Who holds a document for editing, as every program of ours that writes documents asks it: an editor that edits a
// document keeps a record of it in the table of running instances (InstanceTable), a lock on its file
// (DocumentFileLock) and an owner file beside it for as long as it lives.
namespace platform {

class DocumentFileLock;

// The one name of a document file, links and "." and ".." resolved, by which processes compare documents; for a
// file yet to be made, that of its folder with its name. Letter case counts, as it does for the file system.
QString CanonicalDocumentPath(const QString& path);

// Whether both paths name one existing file: the same device and inode, whatever links or mounts lead there.
bool IsSameFile(const QString& first, const QString& second);

// The document of a record of the table in `directory`, whole: the record keeps its path cut to 259 units, and its
// process names it whole in its liveness lock file.
QString RecordDocumentPath(const QString& directory, const InstanceRecord& record);

// Whether the record's document is the file at `path` (canonical): the same path, or the same file under another
// name (another hard link, the folder mounted elsewhere).
bool IsRecordDocument(const QString& directory, const InstanceRecord& record, const QString& path);

// What every write of a document file asks first. The document at `path` is held, and not to be written, while a
// running editor other than this process edits it (a record of the table says so and its process still holds its
// liveness lock; a record that a dead process left does not count), or while any lock on the file is taken: an
// editor's under another name of the file or registered in another runtime folder, another program's, or one of
// this process's other than `ownHold`, the hold of the document that a save writes into. Then the holder's name,
// from the owner file beside the document; when that names none, the user and process the system names for the
// file's lock ("USER (PID N)"), or "Unknown"; else nothing. A writer of a file the user names asks this before any
// question about the file, whether to overwrite it among them.
std::optional<QString> DocumentHolder(const QString& path, const DocumentFileLock* ownHold = nullptr);

} // namespace platform
