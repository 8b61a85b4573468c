#include "platform/NamedLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
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

} // namespace platform
