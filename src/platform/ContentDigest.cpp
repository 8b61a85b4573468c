#include "platform/ContentDigest.h"

#include <QFile>
#include <QHash>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
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

std::optional<quint64> DigestOfFile(int fd) {
    ContentDigest digest;
    QByteArray buffer(16 * kBlockSize, Qt::Uninitialized);
    for (off_t offset = 0;;) {
        const ssize_t read = pread(fd, buffer.data(), size_t(buffer.size()), offset);
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return std::nullopt;
        if (read == 0)
            return digest.Result();
        digest.Add(QByteArrayView(buffer.constData(), read));
        offset += read;
    }
}

std::optional<quint64> DigestOfFile(const QString& path) {
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    const std::optional<quint64> digest = DigestOfFile(fd);
    close(fd);
    return digest;
}

} // namespace platform
