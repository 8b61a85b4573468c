#include "platform/DocumentFileLock.h"

#include "platform/NamedLock.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

unsigned DocumentFileLock::LinkCount() const {
    struct stat held {};
    return m_fd >= 0 && fstat(m_fd, &held) == 0 ? static_cast<unsigned>(held.st_nlink) : 0;
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

std::optional<DocumentFileLock::Holder> DocumentFileLock::HolderOf(const QString& path) {
    struct stat info {};
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    // "1: FLOCK  ADVISORY  WRITE 4242 08:01:1234 0 EOF": the process, the device (major and minor in hexadecimal)
    // and the inode; a line with "->" is a process waiting for the lock.
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray file = QByteArray::number(major(info.st_dev), 16).rightJustified(2, '0') + ':' +
                            QByteArray::number(minor(info.st_dev), 16).rightJustified(2, '0') + ':' +
                            QByteArray::number(static_cast<qulonglong>(info.st_ino));
    for (QByteArray line = locks.readLine(); !line.isEmpty(); line = locks.readLine()) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        bool number = false;
        const qint64 pid = fields.size() >= 6 ? fields[4].toLongLong(&number) : 0;
        if (fields.size() < 6 || fields[1] == "->" || fields[5] != file || !number || pid <= 0)
            continue;
        // The real user of the process: the owner of its /proc entries is root once it changed its ids.
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (QByteArray entry = status.readLine(); !entry.isEmpty(); entry = status.readLine()) {
            if (entry.startsWith("Uid:")) {
                const QList<QByteArray> ids = entry.mid(4).simplified().split(' ');
                return Holder{pid, ids.value(0).toUInt()};
            }
        }
    }
    return std::nullopt;
}

bool DocumentFileLock::LockForWriting(int fd, int waitMilliseconds) {
    return IsHeldHere(fd) || LockExclusivelyWithin(fd, waitMilliseconds);
}

} // namespace platform
