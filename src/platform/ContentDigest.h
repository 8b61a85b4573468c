#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace platform {

// A digest of a file's content, to tell whether a file whose status changed (a second name, new permission bits, or
// a modification time set back) still holds what was read from it or written into it. The same bytes give the same
// digest however they are fed in pieces; it is keyed anew in each process and only compared within one.
class ContentDigest {
public:
    void Add(QByteArrayView bytes);
    quint64 Result() const;

private:
    void AddBlock(const char* block);

    QByteArray m_partial; // the start of a block not yet full
    size_t m_state = 0;
    qint64 m_length = 0;
};

// The digest of what the file open as `fd` holds now, read from its start, when that is `size` bytes; nothing when
// it holds fewer or more, or cannot be read. No more than `size` bytes and one are read.
std::optional<quint64> DigestOfFile(int fd, qint64 size);
// The same of the file at `path` (its name encoded), opened once, when that is the regular file of `device` and `inode`
// with `size` bytes; nothing otherwise.
std::optional<quint64> DigestOfFileAt(const QByteArray& path, quint64 device, quint64 inode, qint64 size);

} // namespace platform
