#include "platform/LivenessLock.h"

#include "platform/NamedLock.h"
#include "platform/ProcessStart.h"
#include "platform/UserFile.h"
#include "platform/UserName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString LockPath(const QString& directory, quint32 pid) {
    return directory + QStringLiteral("/nuv-alive-%1").arg(pid);
}

// More than any path a file system takes; a longer content was not written by a process of ours.
constexpr qint64 kMaxDocumentPathBytes = 65536;

LivenessLockHook* g_hook = nullptr;

// A look at a process of the same id that is gone holds its lock file for a moment, and may remove it meanwhile. A
// lock held longer is another process's of this id (one in another pid namespace that shares the runtime folder) or
// a look that was stopped: the start fails rather than waits on it.
constexpr int kLookHoldsAtMost = 500; // milliseconds

// Whether `path` leads to the file open as `fd`.
bool NamesOpenFile(const QByteArray& path, int fd) {
    struct stat open {};
    struct stat named {};
    return fstat(fd, &open) == 0 && stat(path.constData(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

// Removes the lock file open as `fd`, which nobody holds, when its exclusive lock can be taken and `path` still leads
// to it: a file that a process made at that name meanwhile is that process's.
void RemoveUnlockedFile(const QByteArray& path, int fd) {
    if (g_hook)
        g_hook->Removing();
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && NamesOpenFile(path, fd))
        unlink(path.constData());
}

} // namespace

LivenessLockHookInstaller::LivenessLockHookInstaller(LivenessLockHook& hook) : HookInstaller(g_hook, hook) {}

bool ProcessExists(quint32 pid) {
    return (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) && !ProcessHasEnded(pid);
}

QString InstanceSocketPath(const QString& directory, quint32 pid) {
    return directory + QStringLiteral("/nuv-%1-%2.sock").arg(GetUserName()).arg(pid);
}

LivenessLock::~LivenessLock() {
    if (m_fd < 0)
        return;
    unlink(QFile::encodeName(m_path).constData());
    close(m_fd);
}

bool LivenessLock::Acquire(const QString& directory) {
    m_path = LockPath(directory, static_cast<quint32>(getpid()));
    const QByteArray path = QFile::encodeName(m_path);
    for (;;) {
        m_fd = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0)
            break;
        if (g_hook)
            g_hook->Locking();
        if (!LockExclusivelyWithin(m_fd, kLookHoldsAtMost))
            break;
        if (NamesOpenFile(path, m_fd))
            return true;
        close(m_fd);
    }
    m_error = m_path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
    return false;
}

bool LivenessLock::SetDocumentPath(const QString& path) {
    if (m_fd < 0)
        return false;
    const QByteArray bytes = path.toUtf8();
    return ftruncate(m_fd, 0) == 0 &&
           (bytes.isEmpty() || pwrite(m_fd, bytes.constData(), static_cast<size_t>(bytes.size()), 0) == bytes.size());
}

QString LivenessLock::DocumentPath(const QString& directory, quint32 pid) {
    const QString path = LockPath(directory, pid);
    QByteArray bytes;
    if (QFileInfo(path).isSymLink() || !ReadUserFile(path, kMaxDocumentPathBytes, bytes))
        return {};
    return QString::fromUtf8(bytes);
}

bool LivenessLock::IsAlive(const QString& directory, quint32 pid) {
    const QByteArray path = QFile::encodeName(LockPath(directory, pid));
    const int fd = open(path.constData(), O_RDONLY | O_CLOEXEC);
    const bool alive = fd >= 0 && flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (!alive) {
        // A process listens only once it holds its lock: without it, its socket is left over too, though the id
        // may still name a process (one not yet reaped, or another program's).
        if (fd >= 0)
            RemoveUnlockedFile(path, fd);
        unlink(QFile::encodeName(InstanceSocketPath(directory, pid)).constData());
    }
    if (fd >= 0)
        close(fd);
    return alive;
}

void LivenessLock::RemoveLeftovers(const QString& directory) {
    const QString lockPrefix = QFileInfo(LockPath(directory, 0)).fileName().chopped(1);
    const QString socketName = QFileInfo(InstanceSocketPath(directory, 0)).fileName();
    const QString socketPrefix = socketName.left(socketName.indexOf(QStringLiteral("0.sock")));
    const QRegularExpression pidText(QStringLiteral("^[1-9][0-9]{0,9}$"));
    for (const QString& name : QDir(directory).entryList(QDir::Files | QDir::System | QDir::Hidden)) {
        QString pid;
        if (name.startsWith(lockPrefix))
            pid = name.mid(lockPrefix.size());
        else if (name.startsWith(socketPrefix) && name.endsWith(QStringLiteral(".sock")))
            pid = name.mid(socketPrefix.size()).chopped(5);
        bool number = false;
        const quint32 id = pid.toUInt(&number);
        if (!pidText.match(pid).hasMatch() || !number || ProcessExists(id))
            continue;
        const QByteArray path = QFile::encodeName(directory + QLatin1Char('/') + name);
        // A process of that id may have started since and taken its lock: its file stays. What cannot be opened
        // cannot be locked either.
        const int fd = name.startsWith(lockPrefix) ? open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
        if (fd >= 0) {
            RemoveUnlockedFile(path, fd);
            close(fd);
        } else {
            unlink(path.constData());
        }
    }
}

} // namespace platform
