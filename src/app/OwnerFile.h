#pragma once

#include <QString>

// The owner file lies beside a document that is open for editing: "~$" and the document's file name,
// holding the editing user's name as UTF-16 little-endian units without byte-order mark or terminator,
// so that a second user opening the document can be told who holds it.

QString MakeOwnerFileName(const QString& documentPath);

// Whether a file name (without folder) is that of an owner file, which no file prompt offers as a document.
bool IsOwnerFileName(const QString& fileName);

// Writes the current user's name ("Unknown" when it cannot be found); false when the file cannot be written.
bool WriteOwnerFile(const QString& documentPath);

// Reads the holder's name; "Unknown" when the file cannot be read. Never reads more than 512 bytes.
QString ReadOwnerFile(const QString& documentPath);

// Removes the owner file; a missing file or a failure is ignored.
void DeleteOwnerFile(const QString& documentPath);
