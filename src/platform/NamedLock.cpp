#include "platform/NamedLock.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace platform {

NamedLock::~NamedLock() {
    if (m_fd >= 0)
        close(m_fd);
}

bool NamedLock::Open(const QString& directory, const QString& name) {
    const QString path = directory + QLatin1Char('/') + name + QStringLiteral(".lock");
    m_fd = open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        m_error = path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    return m_fd >= 0;
}

void NamedLock::Lock() {
    while (flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

void NamedLock::Unlock() {
    flock(m_fd, LOCK_UN);
}

bool LockExclusivelyWithin(int fd, int waitMilliseconds) {
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
