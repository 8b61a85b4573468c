#include "platform/ContentDigest.h"

#include <QHash>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr qsizetype kBlockSize = 64 * 1024;

size_t ProcessKey() {
    static const size_t key = size_t(QRandomGenerator::system()->generate64());
    return key;
}

} // namespace

void ContentDigest::Add(QByteArrayView bytes) {
    m_length += bytes.size();
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    if (!m_partial.isEmpty()) {
        const qsizetype taken = std::min(left, kBlockSize - m_partial.size());
        m_partial.append(data, taken);
        data += taken;
        left -= taken;
        if (m_partial.size() < kBlockSize)
            return;
        AddBlock(m_partial.constData());
        m_partial.clear();
    }
    for (; left >= kBlockSize; data += kBlockSize, left -= kBlockSize)
        AddBlock(data);
    m_partial.append(data, left);
}

void ContentDigest::AddBlock(const char* block) {
    m_state = qHashBits(block, size_t(kBlockSize), m_state ^ ProcessKey());
}

quint64 ContentDigest::Result() const {
    return qHashBits(m_partial.constData(), size_t(m_partial.size()), m_state ^ ProcessKey()) ^ quint64(m_length);
}

std::optional<quint64> DigestOfFile(int fd, qint64 size) {
    ContentDigest digest;
    QByteArray buffer(16 * kBlockSize, Qt::Uninitialized);
    for (qint64 offset = 0; offset <= size;) {
        // One byte past the size tells a file that has grown.
        const qint64 wanted = std::min<qint64>(buffer.size(), size + 1 - offset);
        const ssize_t read = pread(fd, buffer.data(), size_t(wanted), off_t(offset));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return read == 0 && offset == size ? std::optional<quint64>(digest.Result()) : std::nullopt;
        if (offset + read > size)
            return std::nullopt;
        digest.Add(QByteArrayView(buffer.constData(), read));
        offset += read;
    }
    return std::nullopt;
}

std::optional<quint64> DigestOfFileAt(const QByteArray& path, quint64 device, quint64 inode, qint64 size) {
    // Without waiting for a writer, should a pipe have taken the name meanwhile.
    const int fd = open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<quint64> digest;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_dev == device && info.st_ino == inode &&
        info.st_size == size)
        digest = DigestOfFile(fd, size);
    close(fd);
    return digest;
}

} // namespace platform
