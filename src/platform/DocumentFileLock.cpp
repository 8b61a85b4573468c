#include "platform/DocumentFileLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

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

} // namespace platform
