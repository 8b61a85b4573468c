#include "support/LiveInstance.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

LiveInstance::LiveInstance(const QString& directory, quint32 processId) {
    // The lock an instance holds for its whole life, taken here on its behalf.
    const QByteArray path = QFile::encodeName(directory + QStringLiteral("/nuv-alive-%1").arg(processId));
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd >= 0)
        ::flock(m_fd, LOCK_EX | LOCK_NB);
}

LiveInstance::~LiveInstance() {
    if (m_fd >= 0)
        ::close(m_fd);
}
