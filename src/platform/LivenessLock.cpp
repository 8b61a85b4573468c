#include "platform/LivenessLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

QString LockPath(const QString& directory, quint32 pid) {
    return directory + QStringLiteral("/nuv-alive-%1").arg(pid);
}

} // namespace

LivenessLock::~LivenessLock() {
    if (m_fd < 0)
        return;
    unlink(QFile::encodeName(m_path).constData());
    close(m_fd);
}

bool LivenessLock::Acquire(const QString& directory) {
    m_path = LockPath(directory, static_cast<quint32>(getpid()));
    m_fd = open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd >= 0 && flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    m_error = m_path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
    return false;
}

bool LivenessLock::IsAlive(const QString& directory, quint32 pid) {
    const QByteArray path = QFile::encodeName(LockPath(directory, pid));
    const int fd = open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool alive = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (!alive)
        unlink(path.constData());
    close(fd);
    return alive;
}

} // namespace platform
