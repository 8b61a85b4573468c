#include "platform/DocumentFileLock.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {

namespace {

using FileId = std::pair<dev_t, ino_t>;

// The files that locks of this process hold: a write of ours into one of them need not take its lock.
std::mutex g_heldFilesMutex;
std::vector<FileId> g_heldFiles;

std::optional<FileId> FileIdOf(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return std::nullopt;
    return FileId{info.st_dev, info.st_ino};
}

void NoteHeld(int fd, bool held) {
    const std::optional<FileId> id = FileIdOf(fd);
    if (!id)
        return;
    const std::lock_guard guard(g_heldFilesMutex);
    if (held)
        g_heldFiles.push_back(*id);
    else if (const auto found = std::find(g_heldFiles.begin(), g_heldFiles.end(), *id); found != g_heldFiles.end())
        g_heldFiles.erase(found);
}

bool IsHeldHere(int fd) {
    const std::optional<FileId> id = FileIdOf(fd);
    const std::lock_guard guard(g_heldFilesMutex);
    return id && std::find(g_heldFiles.begin(), g_heldFiles.end(), *id) != g_heldFiles.end();
}

} // namespace

DocumentFileLock::~DocumentFileLock() {
    Release();
}

DocumentFileLock::DocumentFileLock(DocumentFileLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

DocumentFileLock& DocumentFileLock::operator=(DocumentFileLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

bool DocumentFileLock::Hold(const QString& path) {
    Release();
    // Never blocks: a pipe named as a document would wait for a writer.
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    m_fd = fd;
    NoteHeld(m_fd, true);
    return true;
}

bool DocumentFileLock::HoldsFile(const QString& path) const {
    struct stat held {};
    struct stat named {};
    return m_fd >= 0 && fstat(m_fd, &held) == 0 && stat(QFile::encodeName(path).constData(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

void DocumentFileLock::Release() {
    if (m_fd < 0)
        return;
    NoteHeld(m_fd, false);
    close(m_fd);
    m_fd = -1;
}

bool DocumentFileLock::IsHeldElsewhere(const QString& path) {
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
}

bool DocumentFileLock::LockForWriting(int fd, int waitMilliseconds) {
    if (IsHeldHere(fd))
        return true;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= until) {
            errno = EWOULDBLOCK;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace platform
