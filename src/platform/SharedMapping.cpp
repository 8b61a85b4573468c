#include "platform/SharedMapping.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

SharedMapping::~SharedMapping() {
    if (m_data)
        munmap(m_data, m_size);
}

bool SharedMapping::Open(const QString& directory, const QString& name, std::size_t size) {
    const QString path = directory + QLatin1Char('/') + name;
    const int fd = open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    const auto fail = [&](int error) {
        m_error = path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
        if (fd >= 0)
            close(fd);
        return false;
    };
    if (fd < 0)
        return fail(errno);
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return fail(errno);
    // A file of another size is not ours to map (a foreign or damaged file): resize it to the layout.
    if (static_cast<std::size_t>(info.st_size) != size && ftruncate(fd, static_cast<off_t>(size)) != 0)
        return fail(errno);
    void* data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (data == MAP_FAILED)
        return fail(errno);
    close(fd);
    m_data = data;
    m_size = size;
    return true;
}

} // namespace platform
