#include "platform/UserFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform {

bool OpenRegularFileForReading(QFile& file, const QString& path) {
    // A device is never opened: opening one may act on it. What is opened is looked at again, without waiting, so
    // that a pipe put in the file's place is seen for what it is before anything reads from it.
    if (IsOtherThanRegularFile(path))
        return false;
    const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (handle < 0)
        return false;
    struct stat status {};
    const int flags = ::fcntl(handle, F_GETFL);
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode) || flags < 0 ||
        ::fcntl(handle, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return false;
    }
    return true;
}

bool ReadBounded(QIODevice& device, qint64 maxBytes, QByteArray& bytes) {
    constexpr qint64 kStep = qint64(1) << 20;
    bytes.clear();
    if (ExceedsBound(device, maxBytes))
        return false;
    try {
        if (!device.isSequential())
            bytes.reserve(device.size() - device.pos());
        for (;;) {
            // One byte past the bound tells a content over it from one that just fills it.
            const QByteArray step = device.read(std::min(kStep, maxBytes + 1 - bytes.size()));
            if (step.isEmpty())
                break;
            bytes += step;
            if (bytes.size() > maxBytes) {
                bytes = QByteArray();
                return false;
            }
        }
    } catch (const std::bad_alloc&) {
        bytes = QByteArray();
        throw;
    }
    const auto* file = qobject_cast<const QFileDevice*>(&device);
    if (file && file->error() != QFileDevice::NoError) {
        bytes = QByteArray();
        return false;
    }
    return true;
}

bool ExceedsBound(const QIODevice& device, qint64 maxBytes) {
    return !device.isSequential() && device.size() - device.pos() > maxBytes;
}

qint64 MaxReadableBytes(int multiple) {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    qint64 memory = pages > 0 && pageSize > 0 ? qint64(pages) * pageSize : std::numeric_limits<qint64>::max();
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        memory =
            std::min(memory, static_cast<qint64>(std::min<rlim_t>(limit.rlim_cur, std::numeric_limits<qint64>::max())));
    return memory / std::max(multiple, 1);
}

bool ReadUserFile(const QString& path, qint64 maxBytes, QByteArray& bytes) {
    bytes.clear();
    QFile file;
    try {
        return OpenRegularFileForReading(file, path) && ReadBounded(file, maxBytes, bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool IsOtherThanRegularFile(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode);
}

bool IsUnreadableByUser(const QString& path) {
    return ::access(QFile::encodeName(path).constData(), R_OK) != 0 && errno == EACCES;
}

QString ReadOnlyFileSystemText(const QString& path) {
    const QFileInfo info(path);
    struct statvfs system {};
    if (::statvfs(QFile::encodeName(info.exists() ? path : info.absolutePath()).constData(), &system) != 0 ||
        (system.f_flag & ST_RDONLY) == 0)
        return {};
    return QString::fromLocal8Bit(std::strerror(EROFS));
}

} // namespace platform
