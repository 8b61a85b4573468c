#pragma once

#include <QString>

// Who holds a document for editing, as every program of ours that writes documents asks it: an editor that edits a
// document keeps a record of it in the table of running instances (InstanceTable) and an owner file beside it
// for as long as it lives.
namespace platform {

// The one name of a document file, links and "." and ".." resolved, by which processes compare documents; for a
// file yet to be made, that of its folder with its name. Letter case counts, as it does for the file system.
QString CanonicalDocumentPath(const QString& path);

// Whether a running editor other than this process edits the document at `path`: a record of the table says so
// and its process still holds its liveness lock. A record that a dead process left does not count, nor does a
// table that no process has made.
bool IsEditedByLiveInstance(const QString& path);

} // namespace platform
