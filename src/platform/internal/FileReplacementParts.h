#pragma once

// What the pieces of the file replacement share: the one FileReplacement, written along its seams in
// FileReplacement.cpp (opening and committing), FileReplacementStates.cpp (a file's states and times),
// FileReplacementLeftovers.cpp (the names of temporary files and backups, and what dead writers left),
// FileReplacementBeside.cpp (the write beside) and FileReplacementInPlace.cpp (the write in place). Only those
// include it.

#include "platform/ContentDigest.h"
#include "platform/FileReplacement.h"

#include <QByteArray>
#include <QIODevice>
#include <QLatin1String>
#include <QList>
#include <QString>

#include <cerrno>
#include <optional>
#include <utility>

namespace platform {

namespace file_replacement {

constexpr int kTemporaryNameAttempts = 100;
constexpr qint64 kPieceSize = qint64(1) << 20;
const QLatin1String kBackupSuffix(".bak");
const QLatin1String kPartialSuffix(".part");
const QLatin1String kMixedSuffix(".mixed");
const QLatin1String kKeptSuffix(".kept");

// The hooks a test installs (InPlaceWriteHookInstaller, TemporaryWriteHookInstaller); null otherwise.
extern InPlaceWriteHook* g_inPlaceWriteHook;
extern TemporaryWriteHook* g_temporaryWriteHook;

// Makes the names in a folder lasting; 0 or the errno of the failed step.
int SyncFolder(const QString& folder);

// Whether `error` says that the file system cannot set permission bits at all (EOPNOTSUPP, which is ENOTSUP, or
// ENOSYS): a share mounted through FUSE, a FAT image. Its files show the bits it gives them.
inline bool BitsUnsupported(int error) {
    return error == EOPNOTSUPP || error == ENOSYS;
}

// Gives the permission bits `mode` to the file open as `fd`, or where that is -1, to the one at `path`; 0 or the errno
// it failed with.
int SetBits(int fd, const QByteArray& path, unsigned mode);

bool SameFile(const FileReplacement::FileId& one, const FileReplacement::FileId& other);

// The same file, neither written nor cut or grown since, by its time of content and, when `status`, by the time
// of its last change, which a program cannot set back.
bool SameFileState(const FileReplacement::FileState& one, const FileReplacement::FileState& other, bool status = true);

// The state of the regular file at `path` now, its link followed or not; nothing when there is none.
std::optional<FileReplacement::FileState> StateAt(const QByteArray& path, bool followLink);

// What the names of the temporary files of the file named `fileName` in `folder` start with: ".NAME.nuvsave-",
// with as much of the name as leaves a whole temporary name within the file system's limit, whatever the process id,
// and with the suffix it may get later (".kept").
QString TemporaryNameStart(const QString& folder, const QString& fileName);

// A name for a temporary file made by this process, after `start`: "STARTPID-RANDOMCHECK", CHECK a digest of the rest
// and of the file's `inode` where it is given: the name the file made takes for its write, which no other file passes
// for.
QString TemporaryName(const QString& start, std::optional<quint64> inode = std::nullopt);

// The start of the names of the backups of a file: its name, as far as a name of the longest length leaves room,
// and a hash of its absolute path.
QString BackupNameStart(const QString& path);

// The extended attributes of the file at `path`, names and values; false when one cannot be read. A file system
// without them has none.
bool ReadAttributes(const QByteArray& path, QList<std::pair<QByteArray, QByteArray>>& attributes);

// The room `bytes` of a file take on the file system of `folder`: whole blocks.
qint64 RoomOf(const QString& folder, qint64 bytes);

// `bytes` of room in `folder` for a write that takes `needed` there in all, with all the room its file system can ever
// give this user.
FileReplacement::Room RoomIn(const QString& folder, qint64 bytes, qint64 needed);

} // namespace file_replacement

// Where the new content goes: the temporary file beside the target, a stretch at a time, or memory for a write in
// place. A temporary file that finds no room is given up for a write in place (FallBackInPlace), and the content
// goes on in memory: the writer sees no failure.
class FileReplacement::Output : public QIODevice {
public:
    // `fd` is the temporary file, open for reading and writing; -1 collects the content in memory.
    Output(FileReplacement& owner, int fd) : m_owner(owner), m_fd(fd) { open(WriteOnly | Unbuffered); }
    ~Output() override { CloseFile(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    int Handle() const { return m_fd; }
    const QByteArray& Content() const { return m_content; }
    // The digest of every byte written to the device.
    quint64 Digest() const { return m_digest.Result(); }
    // Writes out what is collected for the temporary file; false, with the reason as errorString, when it fails.
    bool Flush();
    // Takes what the temporary file holds and what was still to go into memory, and closes the file. False when
    // the file cannot be read back.
    bool TakeIntoMemory();
    // Closes the file and from now on only counts the bytes, those it held too.
    void CountOnly();
    // The bytes counted.
    qint64 Counted() const { return m_written; }
    void CloseFile();

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    FileReplacement& m_owner;
    int m_fd;
    bool m_counting = false;
    qint64 m_written = 0; // bytes in the temporary file, or counted
    QByteArray m_pending; // bytes still to go to it
    QByteArray m_content; // the whole content, when it is collected in memory
    ContentDigest m_digest;
};

} // namespace platform
