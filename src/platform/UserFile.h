#pragma once

#include <QByteArray>
#include <QString>

class QFile;
class QIODevice;

// Files a user names, documents among them, are read within a bound that fits their format, checked against the
// file's size before it is read, and only when they are regular files: a pipe without a writer would wait forever
// and a device such as /dev/zero never ends.
namespace platform {

// Opens the file at `path` for reading when it is a regular file; false, `file` left closed, otherwise or when it
// cannot be opened. A pipe or a device is refused without waiting on it, and a device without opening it.
bool OpenRegularFileForReading(QFile& file, const QString& path);
// Reads the device from where it stands to its end. False, with `bytes` empty, when it holds more than
// `maxBytes` (a file that says so is not read at all) or cannot be read; memory never grows far past the bound. Running
// out of memory throws std::bad_alloc, `bytes` empty: that says nothing of the file.
bool ReadBounded(QIODevice& device, qint64 maxBytes, QByteArray& bytes);
// Whether the device holds more than `maxBytes` from where it stands, as its size tells without reading it: false for a
// pipe or a socket, whose size nothing tells.
bool ExceedsBound(const QIODevice& device, qint64 maxBytes);
// The largest file a reader that needs `multiple` times a file's size in memory can take in: the memory the process
// may have (the machine's, or its address-space limit when lower) over that multiple. A larger file is too large to
// read, however much memory is free at the moment.
qint64 MaxReadableBytes(int multiple);
// Both: the whole content of a user's regular file of at most `maxBytes`; false also when memory ran out.
bool ReadUserFile(const QString& path, qint64 maxBytes, QByteArray& bytes);
// Whether something other than a regular file stands at `path` (a pipe, a device, a folder, links followed), looked
// at without opening it: why a file that exists was refused.
bool IsOtherThanRegularFile(const QString& path);
// Whether the file at `path` exists but this user may not read it.
bool IsUnreadableByUser(const QString& path);
// The system's reason why nothing may be written at `path` (the file, or the folder of one not made yet) whatever
// the modes say: its file system is mounted read-only. Empty otherwise.
QString ReadOnlyFileSystemText(const QString& path);

} // namespace platform
