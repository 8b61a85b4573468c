#pragma once

#include <QString>

#include <optional>

// The owner file lies beside a document that is open for editing: "~$" and the document's file name,
// holding the editing user's name as UTF-16 little-endian units without byte-order mark or terminator,
// so that a second user opening the document can be told who holds it.

QString MakeOwnerFileName(const QString& documentPath);

// Whether a file name (without folder) is that of an owner file, which no file prompt offers as a document.
bool IsOwnerFileName(const QString& fileName);

enum class OwnerFileWrite {
    Written,
    // It could not be made (a folder that may not be written, a full disk).
    NotWritten,
    // Something the program did not write has the name: a link, a folder, a special file, a file with other links
    // or of another size. It is left alone.
    Refused,
};

// Writes the current user's name ("Unknown" when it cannot be found). The file is made only where nothing has
// its name, never through a link; an owner file that a program of ours left is replaced.
OwnerFileWrite WriteOwnerFile(const QString& documentPath);

// Reads the holder's name; "Unknown" when the file names none (ReadOwnerName).
QString ReadOwnerFile(const QString& documentPath);

// The holder's name the owner file gives; nothing when it gives none: it cannot be read or is no regular file of its
// own (a link, a pipe), it holds no name, or the name is the "Unknown" of a writer that found none. Never reads more
// than 512 bytes.
std::optional<QString> ReadOwnerName(const QString& documentPath);

// Removes the owner file; a missing file or a failure is ignored.
void DeleteOwnerFile(const QString& documentPath);
