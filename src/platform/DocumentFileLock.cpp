#include "platform/DocumentFileLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void DocumentFileLock::Release() {
    if (m_fd < 0)
        return;
    close(m_fd);
    m_fd = -1;
}

bool DocumentFileLock::IsHeldElsewhere(const QString& path) {
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
}

} // namespace platform
