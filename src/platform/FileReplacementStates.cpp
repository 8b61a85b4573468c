#include "platform/FileReplacement.h"

#include "internal/FileReplacementParts.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <limits>
#include <sys/stat.h>

namespace platform {

using namespace file_replacement;

namespace {

constexpr qint64 kNanosecondsPerSecond = 1000000000;

// A time too far off to count in nanoseconds since the epoch (from 2262 on, or before 1678) is held at the end of the
// range: a time of change there never vouches for a file's content.
qint64 Nanoseconds(const struct timespec& time) {
    constexpr qint64 kLastSecond = std::numeric_limits<qint64>::max() / kNanosecondsPerSecond;
    constexpr qint64 kFirstSecond = std::numeric_limits<qint64>::min() / kNanosecondsPerSecond;
    if (time.tv_sec >= kLastSecond)
        return std::numeric_limits<qint64>::max();
    if (time.tv_sec < kFirstSecond)
        return std::numeric_limits<qint64>::min();
    return qint64(time.tv_sec) * kNanosecondsPerSecond + time.tv_nsec;
}

} // namespace

namespace file_replacement {

bool SameFile(const FileReplacement::FileId& one, const FileReplacement::FileId& other) {
    return one.exists == other.exists && (!one.exists || (one.device == other.device && one.inode == other.inode));
}

bool SameFileState(const FileReplacement::FileState& one, const FileReplacement::FileState& other, bool status) {
    return SameFile(one.file, other.file) &&
           (!one.file.exists ||
            (one.size == other.size && one.modified == other.modified && (!status || one.changed == other.changed)));
}

std::optional<FileReplacement::FileState> StateAt(const QByteArray& path, bool followLink) {
    const qint64 taken = FileReplacement::Now();
    struct stat info {};
    if ((followLink ? stat(path.constData(), &info) : lstat(path.constData(), &info)) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return FileReplacement::StateOf(info, taken);
}

} // namespace file_replacement

FileReplacement::FileState FileReplacement::StateOf(const struct stat& info, qint64 taken) {
    return {
        {true, info.st_dev, info.st_ino}, info.st_size, Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim), taken};
}

qint64 FileReplacement::Now() {
    struct timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

std::optional<FileReplacement::FileState> FileReplacement::StateOfOpenFile(int fd) {
    const qint64 taken = Now();
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return std::nullopt;
    return StateOf(info, taken);
}

qint64 FileReplacement::FileState::TickPassed() const {
    // Whole seconds (or FAT's two): the time is cut down to its tick, so the tick after it begins two on.
    qint64 passed = 2 * kNanosecondsPerSecond;
    if (changed % kNanosecondsPerSecond != 0) {
        qint64 unit = 1;
        while (unit < kNanosecondsPerSecond / 10 && changed % (unit * 10) == 0)
            unit *= 10;
        struct timespec kernelTick {};
        clock_getres(CLOCK_REALTIME_COARSE, &kernelTick);
        // A change is stamped from the kernel's coarse clock, which lags the clock read here by up to its tick.
        passed = std::max(unit, Nanoseconds(kernelTick)) + Nanoseconds(kernelTick);
    }
    return changed > std::numeric_limits<qint64>::max() - passed ? std::numeric_limits<qint64>::max()
                                                                 : changed + passed;
}

bool FileReplacement::IsFileFound(const QByteArray& path) {
    const std::optional<FileState> now = StateAt(path, false);
    if (!now)
        return false;
    return SameFileState(*now, m_target) ||
           StatusMovedAlone(
               *now, [&] { return StateAt(path, false); },
               [&] { return DigestOfFileAt(path, now->file.device, now->file.inode, now->size); });
}

bool FileReplacement::HoldsFoundContent(const QByteArray& path) const {
    if (!ContentToCompare())
        return true;
    const bool holds =
        DigestOfFileAt(path, m_target.file.device, m_target.file.inode, m_target.size) == m_expectedDigest;
    if (g_temporaryWriteHook)
        g_temporaryWriteHook->ContentCompared();
    return holds;
}

bool FileReplacement::StatusMovedAlone(const FileState& now, const std::function<std::optional<FileState>()>& lookAgain,
                                       const std::function<std::optional<quint64>()>& digest) {
    if (!m_expectedDigest || !now.file.exists || !SameFileState(now, m_target, false))
        return false;
    // Read while the state stays as it was: a write meanwhile moves it.
    const std::optional<quint64> content = digest();
    const std::optional<FileState> after = lookAgain();
    if (content != m_expectedDigest || !after || !SameFileState(*after, now))
        return false;
    m_target = now;
    return true;
}

void FileReplacement::TakeFoundContent(const QByteArray& path) {
    // A file that keeps changing while it is read has no content to record; a few reads at most.
    constexpr int kReads = 3;
    for (int read = 0; read < kReads; ++read) {
        const std::optional<quint64> digest =
            DigestOfFileAt(path, m_target.file.device, m_target.file.inode, m_target.size);
        const std::optional<FileState> after = StateAt(path, true);
        if (!after)
            return;
        if (digest && SameFileState(*after, m_target)) {
            m_expectedDigest = digest;
            return;
        }
        m_target = *after;
    }
}

} // namespace platform
