#pragma once

#include <QString>

#include <optional>

namespace platform {

// Marks a document file as held for editing by this process, in place of opening it with others denied
// writing: an exclusive flock on the file itself. Readers are not hindered; a process that wants to write
// the file first asks IsHeldElsewhere and refuses when another process holds it. The lock belongs to the
// file's inode, so after replacing the file by a rename the holder takes it again with Hold.
class DocumentFileLock {
public:
    DocumentFileLock() = default;
    ~DocumentFileLock();
    DocumentFileLock(const DocumentFileLock&) = delete;
    DocumentFileLock& operator=(const DocumentFileLock&) = delete;
    // The lock goes over without a moment unheld; what the target held before is released.
    DocumentFileLock(DocumentFileLock&& other) noexcept;
    DocumentFileLock& operator=(DocumentFileLock&& other) noexcept;

    // Holds `path` (which must exist); releases what was held before. False when another process holds it
    // or the file cannot be opened.
    bool Hold(const QString& path);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }
    // Whether the file held is the one at `path` now (not replaced by another file since).
    bool HoldsFile(const QString& path) const;
    // How many names the held file has now: 0 once it was deleted, or when nothing is held.
    unsigned LinkCount() const;

    // True when some other process holds `path`. A missing file is held by nobody.
    static bool IsHeldElsewhere(const QString& path);
    // Takes the lock on the open file `fd` for a write into it, waiting at most `waitMilliseconds` for another
    // writer or holder to let it go; the lock goes with the descriptor. A file this process holds is its own to
    // write. False (errno set) when the lock stays taken or cannot be had.
    static bool LockForWriting(int fd, int waitMilliseconds);

    // A process that the system names as holding a lock on the file, and its user.
    struct Holder {
        qint64 processId = 0;
        unsigned userId = 0;
    };
    // The first holder of a lock on `path` that the system names (from /proc/locks); nothing when no lock is held
    // or its process cannot be seen from here.
    static std::optional<Holder> HolderOf(const QString& path);

private:
    int m_fd = -1;
};

} // namespace platform
