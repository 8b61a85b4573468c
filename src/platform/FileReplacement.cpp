#include "platform/FileReplacement.h"

#include "platform/ContentDigest.h"
#include "platform/DocumentFileLock.h"
#include "platform/DocumentHold.h"
#include "platform/LivenessLock.h"
#include "platform/WholeCharacters.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <tuple>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kBackupNameLength = 64;
constexpr int kBackupHashLength = 16;
constexpr int kTemporaryNameAttempts = 100;
constexpr qint64 kPieceSize = qint64(1) << 20;
// How long a write in place waits for another writer of the same file to finish.
constexpr int kInPlaceLockWait = 10000;
const QLatin1String kBackupSuffix(".bak");
const QLatin1String kPartialSuffix(".part");
const QLatin1String kMixedSuffix(".mixed");
const QLatin1String kKeptSuffix(".kept");
const QLatin1String kTemporaryMark(".nuvsave-");
// Hexadecimal digits of the random part of a temporary file's name, and of the digest that ends it.
constexpr int kTemporaryDigits = 8;
// The most digits of a process id in a temporary file's name.
constexpr int kProcessIdDigits = 10;
// A folder's default ACL as the system stores it in an extended attribute: a header, then entries of a tag (16
// bits), the permission bits (16) and an id (32), least significant byte first.
const char kDefaultAclAttribute[] = "system.posix_acl_default";
constexpr int kAclHeaderSize = 4;
constexpr int kAclEntrySize = 8;
constexpr quint16 kAclUserObject = 0x01;
constexpr quint16 kAclGroupObject = 0x04;
constexpr quint16 kAclMask = 0x10;
constexpr quint16 kAclOther = 0x20;

InPlaceWriteHook* g_inPlaceWriteHook = nullptr;
TemporaryWriteHook* g_temporaryWriteHook = nullptr;

// How many of `wanted` bytes go out in the next piece of a write in place.
qint64 NextPiece(qint64 done, qint64 wanted) {
    if (!g_inPlaceWriteHook)
        return std::min(wanted, kPieceSize);
    return std::clamp(g_inPlaceWriteHook->Writing(done, wanted), qint64(1), wanted);
}

// A moment of a write in place after which it looks at the file again.
void Reached(InPlaceWriteHook::Moment moment) {
    if (g_inPlaceWriteHook)
        g_inPlaceWriteHook->Reached(moment);
}

// A step of a write in place is over.
void StepDone(qint64 done) {
    if (g_inPlaceWriteHook)
        g_inPlaceWriteHook->Writing(done, 0);
}

// Writes all of `bytes` at the start of the file, counting them in `done`; 0 or the errno of the failed write.
int WriteFromStart(int fd, const QByteArray& bytes, qint64& done) {
    qint64 offset = 0;
    while (offset < bytes.size()) {
        const qint64 piece = NextPiece(done, bytes.size() - offset);
        const ssize_t written = pwrite(fd, bytes.constData() + offset, static_cast<size_t>(piece), offset);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        offset += written;
        done += written;
    }
    return 0;
}

// Writes all of `bytes` at the start of the file, cuts it there and syncs it; 0 or the errno of the failed step.
int WriteWhole(int fd, const QByteArray& bytes, qint64& done) {
    if (const int failed = WriteFromStart(fd, bytes, done))
        return failed;
    if (ftruncate(fd, bytes.size()) != 0 || fsync(fd) != 0)
        return errno;
    StepDone(done);
    return 0;
}

// Makes the names in a folder lasting; 0 or the errno of the failed step.
int SyncFolder(const QString& folder) {
    const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int failed = fsync(fd) == 0 ? 0 : errno;
    close(fd);
    return failed;
}

// Fills `bytes` with what `read(buffer, size)` gives, as the calls for extended attributes do (a size of 0 asks
// how many bytes there are); false with errno set when it fails.
template <class Read> bool ReadSized(QByteArray& bytes, Read read) {
    for (;;) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0)
            return false;
        bytes.resize(size);
        const ssize_t got = read(bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(got);
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

QList<QByteArray> AttributeNames(const QByteArray& list) {
    QList<QByteArray> names = list.split('\0');
    names.removeAll(QByteArray());
    return names;
}

// The extended attributes of the file at `path`, names and values; false when one cannot be read. A file system
// without them has none.
bool ReadAttributes(const QByteArray& path, QList<std::pair<QByteArray, QByteArray>>& attributes) {
    attributes.clear();
    QByteArray list;
    if (!ReadSized(list, [&](char* buffer, size_t size) { return listxattr(path.constData(), buffer, size); }))
        return errno == ENOTSUP;
    for (const QByteArray& name : AttributeNames(list)) {
        QByteArray value;
        if (!ReadSized(value, [&](char* buffer, size_t size) {
                return getxattr(path.constData(), name.constData(), buffer, size);
            }))
            return false;
        attributes.append({name, value});
    }
    return true;
}

// The mask of permission bits that new files do not get.
mode_t FileCreationMask() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("Umask:"))
                return mode_t(line.mid(6).trimmed().toUInt(nullptr, 8));
    // Without the process's status it is only read by setting it.
    const mode_t mask = umask(022);
    umask(mask);
    return mask;
}

// The permission bits of a file made in `folder` for reading and writing: those of the folder's default ACL, or
// else those that the file creation mask leaves.
unsigned NewFileMode(const QString& folder) {
    QByteArray acl;
    const QByteArray encoded = QFile::encodeName(folder);
    if (!ReadSized(acl,
                   [&](char* buffer, size_t size) {
                       return getxattr(encoded.constData(), kDefaultAclAttribute, buffer, size);
                   }) ||
        acl.size() < kAclHeaderSize)
        return 0666 & ~FileCreationMask();
    unsigned owner = 0;
    unsigned group = 0;
    unsigned other = 0;
    bool masked = false;
    for (qsizetype at = kAclHeaderSize; at + kAclEntrySize <= acl.size(); at += kAclEntrySize) {
        const auto field = [&](qsizetype offset) {
            return quint16(quint8(acl[at + offset]) | quint8(acl[at + offset + 1]) << 8);
        };
        const quint16 tag = field(0);
        const unsigned bits = field(2) & 07;
        if (tag == kAclUserObject)
            owner = bits;
        else if (tag == kAclMask || (tag == kAclGroupObject && !masked))
            group = bits;
        else if (tag == kAclOther)
            other = bits;
        masked = masked || tag == kAclMask;
    }
    return 0666 & (owner << 6 | group << 3 | other);
}

QString RandomNamePart() {
    return QString::number(QRandomGenerator::global()->generate(), 36);
}

// The digest that ends the name of a temporary file of ours, from the rest of the name.
QString TemporaryCheck(QStringView start) {
    const QByteArray hash = QCryptographicHash::hash(start.toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(hash.toHex().left(kTemporaryDigits));
}

// What the names of the temporary files of the file named `fileName` in `folder` start with: ".NAME.nuvsave-",
// with as much of the name as leaves a whole temporary name within the file system's limit.
QString TemporaryNameStart(const QString& folder, const QString& fileName) {
    const long limit = pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    // Besides the name: ".", the mark, "PID-", the random part and the digest.
    const qsizetype room =
        (limit > 0 ? limit : NAME_MAX) - (1 + kTemporaryMark.size() + kProcessIdDigits + 1 + 2 * kTemporaryDigits);
    const qsizetype length = WholeCharactersLength(
        fileName, room, [](QStringView start) { return QFile::encodeName(start.toString()).size(); });
    return QLatin1Char('.') + fileName.left(length) + kTemporaryMark;
}

// A name for a temporary file made by this process, after `start`: "STARTPID-RANDOMCHECK".
QString TemporaryName(const QString& start) {
    const QString name =
        start + QString::number(getpid()) + QLatin1Char('-') +
        QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), kTemporaryDigits, 16, QLatin1Char('0'));
    return name + TemporaryCheck(name);
}

// Whether the name that matched the pattern of temporary files ends with the digest of the rest of it.
bool IsTemporaryName(const QString& name) {
    return name.endsWith(TemporaryCheck(QStringView(name).chopped(kTemporaryDigits)));
}

// A file its writer locked while it worked was left by a writer of this user that is gone: its process is no
// more, and the lock is free (the id alone could be another machine's, the lock alone not yet taken by a writer
// that has just made the file). Another user's file is never ours to remove, whatever its name.
bool LeftByDeadWriter(const QString& path, quint32 pid) {
    if (ProcessExists(pid))
        return false;
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool gone =
        fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() && flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return gone;
}

// The files in `folder` whose names match `pattern`, whose first capture is the writer's process id, and pass
// `ours` when it is given, left by writers that are gone (by any writer, when `anyWriter`).
QStringList LeftFiles(const QString& folder, const QRegularExpression& pattern,
                      bool (*ours)(const QString& name) = nullptr, bool anyWriter = false) {
    QStringList left;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        const QRegularExpressionMatch match = pattern.match(name);
        bool number = false;
        const quint32 pid = match.hasMatch() && (!ours || ours(name)) ? match.captured(1).toUInt(&number) : 0;
        const QString path = folder + QLatin1Char('/') + name;
        if (number && (anyWriter || LeftByDeadWriter(path, pid)))
            left << path;
    }
    return left;
}

// The room `bytes` of a file take on the file system of `folder`: whole blocks.
qint64 RoomOf(const QString& folder, qint64 bytes) {
    struct statvfs system {};
    if (statvfs(QFile::encodeName(folder).constData(), &system) != 0 || system.f_frsize == 0)
        return bytes;
    const qint64 block = qint64(system.f_frsize);
    return (bytes + block - 1) / block * block;
}

// `bytes` of room in `folder` for a write that takes `needed` there in all, with all the room its file system can ever
// give this user.
FileReplacement::Room RoomIn(const QString& folder, qint64 bytes, qint64 needed) {
    FileReplacement::Room room{folder, bytes, needed, -1};
    struct statvfs system {};
    if (statvfs(QFile::encodeName(folder).constData(), &system) == 0 && system.f_frsize != 0) {
        // The blocks kept for the superuser are no user's room.
        const qint64 reserved = geteuid() == 0 ? 0 : qint64(system.f_bfree) - qint64(system.f_bavail);
        room.capacity = (qint64(system.f_blocks) - std::max<qint64>(0, reserved)) * qint64(system.f_frsize);
    }
    return room;
}

bool OnOneFileSystem(const QString& first, const QString& second) {
    struct stat one {};
    struct stat other {};
    return stat(QFile::encodeName(first).constData(), &one) == 0 &&
           stat(QFile::encodeName(second).constData(), &other) == 0 && one.st_dev == other.st_dev;
}

bool SameFile(const FileReplacement::FileId& one, const FileReplacement::FileId& other) {
    return one.exists == other.exists && (!one.exists || (one.device == other.device && one.inode == other.inode));
}

// The same file, neither written nor cut or grown since, by its time of content and, when `status`, by the time
// of its last change, which a program cannot set back.
bool SameFileState(const FileReplacement::FileState& one, const FileReplacement::FileState& other, bool status = true) {
    return SameFile(one.file, other.file) &&
           (!one.file.exists ||
            (one.size == other.size && one.modified == other.modified && (!status || one.changed == other.changed)));
}

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

// The state of the regular file at `path` now, its link followed or not; nothing when there is none.
std::optional<FileReplacement::FileState> StateAt(const QByteArray& path, bool followLink) {
    const qint64 taken = FileReplacement::Now();
    struct stat info {};
    if ((followLink ? stat(path.constData(), &info) : lstat(path.constData(), &info)) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return FileReplacement::StateOf(info, taken);
}

// Whether the file open as `fd` holds exactly `content`, read back in pieces.
bool HoldsExactly(int fd, const QByteArray& content) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || info.st_size != content.size())
        return false;
    QByteArray piece(std::min<qint64>(content.size(), kPieceSize), Qt::Uninitialized);
    for (qint64 offset = 0; offset < content.size();) {
        const ssize_t read = pread(
            fd, piece.data(), static_cast<size_t>(std::min<qint64>(piece.size(), content.size() - offset)), offset);
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0 || std::memcmp(piece.constData(), content.constData() + offset, size_t(read)) != 0)
            return false;
        offset += read;
    }
    return true;
}

// Renames `from` to `to` with `flags` (RENAME_EXCHANGE, RENAME_NOREPLACE); 0 or the errno it failed with.
int RenameWith(const QByteArray& from, const QByteArray& to, unsigned flags) {
    if (g_temporaryWriteHook)
        if (const int failed = g_temporaryWriteHook->Renaming())
            return failed;
    return renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), flags) == 0 ? 0 : errno;
}

// Whether anything, a link to nothing too, has the name `path`.
bool NameTaken(const QByteArray& path) {
    struct stat info {};
    return lstat(path.constData(), &info) == 0 || errno != ENOENT;
}

// A file system that cannot rename with the flags says so with one of these.
bool FlagsUnsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

QString AbsolutePath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

// The start of the names of the backups of a file: its name, as far as a name of the longest length leaves room,
// and a hash of its absolute path.
QString BackupNameStart(const QString& path) {
    const QString absolute = AbsolutePath(path);
    const QString fileName = QFileInfo(absolute).fileName();
    const QString name = fileName.left(WholeCharactersLength(fileName, kBackupNameLength));
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(absolute), QCryptographicHash::Sha256);
    return name + QLatin1Char('-') + QString::fromLatin1(hash.toHex().left(kBackupHashLength));
}

// "NAME-HASH-PID-RANDOM" and one of its `suffixes`: ".bak", ".bak.part" while it is written, ".mixed.bak" once
// another program wrote into the file during the save, ".kept.bak" and ".mixed.kept.bak" once told of.
QRegularExpression BackupPattern(const QString& path, const QStringList& suffixes) {
    QStringList escaped;
    for (const QString& suffix : suffixes)
        escaped << QRegularExpression::escape(suffix);
    return QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(BackupNameStart(path)) +
                              QStringLiteral("-([1-9][0-9]{0,9})-[0-9a-z]+(?:") + escaped.join(QLatin1Char('|')) +
                              QStringLiteral(")$"));
}

// The backup of a file that another program wrote into during its save is kept under a name that says so, for the
// next open of the document to tell why it is there; the name it is kept under.
QString KeepBackupOfDamagedFile(const QString& backupPath) {
    const QString kept = backupPath.chopped(kBackupSuffix.size()) + kMixedSuffix + kBackupSuffix;
    if (renameat2(AT_FDCWD, QFile::encodeName(backupPath).constData(), AT_FDCWD, QFile::encodeName(kept).constData(),
                  RENAME_NOREPLACE) != 0)
        return backupPath;
    SyncFolder(QFileInfo(kept).absolutePath());
    return kept;
}

} // namespace

// Where the new content goes: the temporary file beside the target, a stretch at a time, or memory for a write in
// place. A temporary file that finds no room is given up for a write in place (FallBackInPlace), and the content
// goes on in memory: the writer sees no failure.
class FileReplacement::Output : public QIODevice {
public:
    // `fd` is the temporary file, open for reading and writing; -1 collects the content in memory.
    Output(FileReplacement& owner, int fd) : m_owner(owner), m_fd(fd) { open(WriteOnly | Unbuffered); }
    ~Output() override { CloseFile(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    int Handle() const { return m_fd; }
    const QByteArray& Content() const { return m_content; }
    // The digest of every byte written to the device.
    quint64 Digest() const { return m_digest.Result(); }
    // Writes out what is collected for the temporary file; false, with the reason as errorString, when it fails.
    bool Flush();
    // Takes what the temporary file holds and what was still to go into memory, and closes the file. False when
    // the file cannot be read back.
    bool TakeIntoMemory();
    // Closes the file and from now on only counts the bytes, those it held too.
    void CountOnly();
    // The bytes counted.
    qint64 Counted() const { return m_written; }
    void CloseFile();

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    FileReplacement& m_owner;
    int m_fd;
    bool m_counting = false;
    qint64 m_written = 0; // bytes in the temporary file, or counted
    QByteArray m_pending; // bytes still to go to it
    QByteArray m_content; // the whole content, when it is collected in memory
    ContentDigest m_digest;
};

qint64 FileReplacement::Output::writeData(const char* data, qint64 size) {
    m_digest.Add(QByteArrayView(data, size));
    if (m_counting) {
        m_written += size;
        return size;
    }
    if (m_fd < 0) {
        m_content.append(data, size);
        return size;
    }
    m_pending.append(data, size);
    if (m_pending.size() < kPieceSize)
        return size;
    return Flush() ? size : -1;
}

bool FileReplacement::Output::Flush() {
    const qint64 before = m_written;
    while (m_fd >= 0 && !m_pending.isEmpty()) {
        int failed = g_temporaryWriteHook ? g_temporaryWriteHook->Writing(m_written, m_pending.size()) : 0;
        ssize_t written = -1;
        if (failed == 0 && (written = ::write(m_fd, m_pending.constData(), static_cast<size_t>(m_pending.size()))) < 0)
            failed = errno;
        if (failed == 0) {
            m_pending.remove(0, written);
            m_written += written;
        } else if ((failed == ENOSPC || failed == EDQUOT) && m_owner.NoRoomBeside(failed)) {
            return true;
        } else if (failed != EINTR) {
            setErrorString(QString::fromLocal8Bit(std::strerror(failed)));
            errno = failed;
            return false;
        }
    }
    // Sent to the disk a stretch at a time, so that the sync at the end waits only for the last one. Only a hint:
    // a failure shows in that sync.
    if (m_fd >= 0 && m_written > before)
        sync_file_range(m_fd, before, m_written - before, SYNC_FILE_RANGE_WRITE);
    return true;
}

bool FileReplacement::Output::TakeIntoMemory() {
    QByteArray content(m_written, Qt::Uninitialized);
    for (qint64 offset = 0; offset < m_written;) {
        const ssize_t read = pread(m_fd, content.data() + offset, static_cast<size_t>(m_written - offset), offset);
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return false;
        offset += read;
    }
    content.append(m_pending);
    m_content = std::move(content);
    m_pending.clear();
    CloseFile();
    return true;
}

void FileReplacement::Output::CountOnly() {
    m_written += m_pending.size();
    m_pending.clear();
    m_counting = true;
    CloseFile();
}

void FileReplacement::Output::CloseFile() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

InPlaceWriteHookInstaller::InPlaceWriteHookInstaller(InPlaceWriteHook& hook)
    : HookInstaller(g_inPlaceWriteHook, hook) {}

TemporaryWriteHookInstaller::TemporaryWriteHookInstaller(TemporaryWriteHook& hook)
    : HookInstaller(g_temporaryWriteHook, hook) {}

FileReplacement::FileReplacement(const QString& path) : m_path(path), m_targetPath(path) {}

FileReplacement::~FileReplacement() {
    Cancel();
}

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

QString FileReplacement::BackupDirectory() {
    // One folder for every program of ours, so that the editor finds what the converter or a tool left.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return cache.isEmpty() ? QString() : cache + QStringLiteral("/nuv");
}

QStringList FileReplacement::LeftBackups(const QString& path, BackupCause cause) {
    return LeftFiles(BackupDirectory(),
                     BackupPattern(path, {cause == BackupCause::WrittenInto ? kMixedSuffix + kBackupSuffix
                                                                            : QString(kBackupSuffix)}));
}

QStringList FileReplacement::Backups(const QString& path) {
    return LeftFiles(BackupDirectory(),
                     BackupPattern(path, {kBackupSuffix, kMixedSuffix + kBackupSuffix, kKeptSuffix + kBackupSuffix,
                                          kMixedSuffix + kKeptSuffix + kBackupSuffix}),
                     nullptr, true);
}

QStringList FileReplacement::KeepLeftBackups(const QString& path, BackupCause cause) {
    QStringList kept;
    for (const QString& backup : LeftBackups(path, cause)) {
        const QString name = backup.chopped(kBackupSuffix.size()) + kKeptSuffix + kBackupSuffix;
        const bool renamed = renameat2(AT_FDCWD, QFile::encodeName(backup).constData(), AT_FDCWD,
                                       QFile::encodeName(name).constData(), RENAME_NOREPLACE) == 0;
        kept << (renamed ? name : backup);
    }
    if (!kept.isEmpty())
        SyncFolder(BackupDirectory());
    return kept;
}

void FileReplacement::RemoveLeftTemporaries(const QString& path) {
    const QFileInfo info(path);
    const QRegularExpression beside(
        QLatin1Char('^') + QRegularExpression::escape(TemporaryNameStart(info.absolutePath(), info.fileName())) +
        QStringLiteral("([1-9][0-9]{0,%1})-[0-9a-f]{%2}$").arg(kProcessIdDigits - 1).arg(2 * kTemporaryDigits));
    QStringList left = LeftFiles(info.absolutePath(), beside, IsTemporaryName);
    // A backup not yet complete was left before the file was touched.
    left += LeftFiles(BackupDirectory(), BackupPattern(path, {kBackupSuffix + kPartialSuffix}));
    for (const QString& file : left)
        unlink(QFile::encodeName(file).constData());
}

void FileReplacement::FailWithErrno(int error, const QString& file) {
    m_errorText = QString::fromLocal8Bit(std::strerror(error));
    if (!file.isEmpty())
        m_errorText = file + QStringLiteral(": ") + m_errorText;
}

bool FileReplacement::Open(const DocumentFileLock* ownHold, const std::optional<FileState>& expected,
                           std::optional<quint64> expectedDigest) {
    Cancel();
    m_refusal = Refusal::None;
    m_errorText.clear();
    m_inPlace = false;
    m_noRoomBeside = false;
    m_noRoomError = 0;
    m_roomWanted.clear();
    m_target = {};
    m_expected = expected.has_value();
    m_expectedDigest = expected ? expectedDigest : std::nullopt;
    m_writtenFile = {};
    m_writtenDigest = 0;
    if (const std::optional<QString> holder = DocumentHolder(m_path, ownHold)) {
        m_refusal = Refusal::InUse;
        m_errorText = *holder;
        return false;
    }
    const QByteArray encoded = QFile::encodeName(m_path);
    struct stat link {};
    if (lstat(encoded.constData(), &link) != 0) {
        if (errno != ENOENT) {
            FailWithErrno(errno);
            return false;
        }
        if (expected && expected->file.exists) {
            m_refusal = Refusal::Changed;
            return false;
        }
        m_targetExists = false;
        m_targetPath = m_path;
    } else {
        struct stat target {};
        const qint64 taken = Now();
        const int statError = stat(encoded.constData(), &target) == 0 ? 0 : errno;
        if (statError != 0 && statError != ENOENT && statError != ELOOP) {
            FailWithErrno(statError);
            return false;
        }
        const FileState found = statError == 0 ? FileReplacement::StateOf(target, taken) : FileState{};
        // The file its writer expects, holding what the writer recorded: the writer's record dates its content. A
        // writer that names no file takes the one found here.
        m_target = expected ? *expected : found;
        if (expected && !SameFileState(found, m_target) &&
            !StatusMovedAlone(
                found, [&] { return StateAt(encoded, true); },
                [&] { return DigestOfFileAt(encoded, found.file.device, found.file.inode, found.size); })) {
            m_refusal = Refusal::Changed;
            return false;
        }
        // A link that leads nowhere is no file either.
        if (statError != 0 || !S_ISREG(target.st_mode)) {
            m_refusal = Refusal::NotRegularFile;
            return false;
        }
        if ((target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            m_refusal = Refusal::ReadOnly;
            return false;
        }
        // A file we may not write is not replaced either, though its folder would let us rename over it.
        if (access(encoded.constData(), W_OK) != 0) {
            FailWithErrno(errno);
            return false;
        }
        m_targetExists = true;
        m_targetPath = S_ISLNK(link.st_mode) ? QFileInfo(m_path).canonicalFilePath() : m_path;
        TakeTargetStatus(target);
        // What the file found holds: where its times cannot vouch for it when it is replaced, or its status alone
        // moves meanwhile, its content tells whether it is still the file found.
        if (!expected)
            TakeFoundContent(encoded);
    }
    RemoveLeftTemporaries(m_targetPath);
    // Renaming a new file over one with other names would leave those names on the old content, and one over a
    // file with extended attributes that cannot be read would drop them.
    if (m_targetExists && (m_linkCount > 1 || !ReadAttributes(QFile::encodeName(m_targetPath), m_attributes)))
        return OpenInPlace();
    if (OpenBeside())
        return true;
    // No file may be made beside it, or not with the target's owner and group: the file itself is written, when we
    // may, and why the other way failed is no failure of the write.
    if (!m_targetExists)
        return false;
    m_errorText.clear();
    return OpenInPlace();
}

bool FileReplacement::OpenBeside() {
    // The temporary file is named after the target and the writing process, and locked while it is written, so
    // that what a dead process left can be told (RemoveLeftTemporaries). Only its owner may read it until the
    // commit gives it the target's bits (or a new file's); killed, the save leaves nobody else a copy. It is read
    // back when it finds no room.
    const QFileInfo target(m_targetPath);
    const QString folder = m_targetPath.left(m_targetPath.size() - target.fileName().size());
    const QString start = TemporaryNameStart(target.absolutePath(), target.fileName());
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const QString name = folder + TemporaryName(start);
        const int fd = open(QFile::encodeName(name).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            FailWithErrno(errno);
            return false;
        }
        struct stat made {};
        if (fstat(fd, &made) != 0) {
            FailWithErrno(errno);
            close(fd);
            unlink(QFile::encodeName(name).constData());
            return false;
        }
        m_temporaryPath = name;
        m_temporaryFile = FileReplacement::StateOf(made).file;
        m_output = std::make_unique<Output>(*this, fd);
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            FailWithErrno(errno);
            Cancel();
            return false;
        }
        // The target's owner and group, where we may give them (the superuser, or a member of the group); the
        // change of owner clears set-id bits, which the commit gives back.
        if (m_targetExists && !CarryOwner(fd)) {
            FailWithErrno(errno);
            Cancel();
            return false;
        }
        return true;
    }
    FailWithErrno(EEXIST);
    return false;
}

bool FileReplacement::OpenInPlace() {
    m_inPlace = true;
    m_output = std::make_unique<Output>(*this, -1);
    return true;
}

bool FileReplacement::NoRoomBeside(int error) {
    m_noRoomError = error;
    if (m_targetExists)
        return FallBackInPlace(true);
    m_noRoomBeside = true;
    m_output->CountOnly();
    RemoveTemporary();
    return true;
}

bool FileReplacement::FallBackInPlace(bool noRoom) {
    m_noRoomBeside = noRoom;
    if (!m_output->TakeIntoMemory())
        return false;
    RemoveTemporary();
    m_inPlace = true;
    return true;
}

QIODevice& FileReplacement::Device() {
    return *m_output;
}

void FileReplacement::Cancel() {
    RemoveTemporary();
    m_output.reset();
}

void FileReplacement::RemoveTemporary() {
    if (m_temporaryPath.isEmpty())
        return;
    // What has the name by now may be another program's: only the file made goes.
    const QByteArray temporary = QFile::encodeName(m_temporaryPath);
    struct stat info {};
    if (lstat(temporary.constData(), &info) == 0 && SameFile(FileReplacement::StateOf(info).file, m_temporaryFile))
        unlink(temporary.constData());
    m_temporaryPath.clear();
}

bool FileReplacement::Commit() {
    if (!m_output)
        return false;
    // What is still to go to a temporary file goes out first: finding no room, it turns into a write in place.
    bool committed = m_output->Flush();
    if (!committed) {
        m_errorText = m_output->errorString();
    } else if (m_noRoomBeside && !m_targetExists) {
        // A new file without room: the room its whole content takes.
        const QString folder = QFileInfo(m_targetPath).absolutePath();
        const qint64 whole = RoomOf(folder, m_output->Counted());
        m_roomWanted.append(RoomIn(folder, whole, whole));
        FailWithErrno(m_noRoomError);
        committed = false;
    } else {
        committed = m_inPlace ? CommitInPlace() : CommitBeside();
    }
    Cancel();
    return committed;
}

bool FileReplacement::CommitBeside() {
    const int fd = m_output->Handle();
    // The new file carries what the target carries when the names are exchanged: where the target's status moved
    // meanwhile (a look right before the exchange finds it), the new file is given the new status.
    constexpr int kLooks = 3;
    for (int look = 1;; ++look) {
        // An attribute, an owner or a group that the new file cannot take, or a second name the target got meanwhile,
        // leaves the content to be written into the file itself.
        if (m_targetExists && (m_linkCount > 1 || !CarryAttributes(fd) || !CarryOwner(fd)))
            return FallBackInPlace(false) && CommitInPlace();
        // The bits go last: they are the ACL's too.
        if (fchmod(fd, m_targetExists ? m_mode : NewFileMode(QFileInfo(m_targetPath).absolutePath())) != 0 ||
            fsync(fd) != 0) {
            FailWithErrno(errno);
            return false;
        }
        // A status given within the tick of the file system's clock leaves the time of change as it was: the status
        // itself is read again.
        const QByteArray target = QFile::encodeName(m_targetPath);
        if (!m_targetExists || !NameTaken(target) || !IsFileFound(target))
            break;
        const auto carried = std::tuple(m_mode, m_owner, m_group, m_linkCount, m_attributes);
        if (!ReadTargetStatus())
            return FallBackInPlace(false) && CommitInPlace();
        if (std::tuple(m_mode, m_owner, m_group, m_linkCount, m_attributes) == carried)
            break;
        if (look == kLooks) {
            m_refusal = Refusal::Changed;
            return false;
        }
    }
    // Named while still open, so that its lock tells until then that its writer lives.
    if (!(m_targetExists ? TakeTargetsName() : TakeFreeName()))
        return false;
    NoteWritten(fd, m_output->Digest());
    m_output->CloseFile();
    // The new name is made lasting too, as far as the folder lets us.
    SyncFolder(QFileInfo(m_targetPath).absolutePath());
    return true;
}

bool FileReplacement::CarryOwner(int fd) const {
    struct stat made {};
    return fstat(fd, &made) == 0 && ((made.st_uid == m_owner && made.st_gid == m_group) ||
                                     fchown(fd, made.st_uid != m_owner ? m_owner : uid_t(-1),
                                            made.st_gid != m_group ? m_group : gid_t(-1)) == 0);
}

bool FileReplacement::ReadTargetStatus() {
    const QByteArray target = QFile::encodeName(m_targetPath);
    struct stat info {};
    if (lstat(target.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    TakeTargetStatus(info);
    return ReadAttributes(target, m_attributes);
}

void FileReplacement::TakeTargetStatus(const struct stat& info) {
    m_mode = info.st_mode & 07777;
    m_owner = info.st_uid;
    m_group = info.st_gid;
    m_linkCount = info.st_nlink;
}

bool FileReplacement::TakeTargetsName() {
    const QByteArray temporary = QFile::encodeName(m_temporaryPath);
    const QByteArray target = QFile::encodeName(m_targetPath);
    // A file changed since it was found is left as it is. The exchange changes the time of change of what it
    // brings out, so that is looked at first; then the two names are exchanged at once: no moment is left between
    // the look at what is exchanged and the rename for another program to put its file in the target's place unseen.
    if (NameTaken(target) && !IsFileFound(target))
        return NamingDone(EEXIST);
    int failed = RenameWith(temporary, target, RENAME_EXCHANGE);
    if ((failed == ENOENT || FlagsUnsupported(failed)) && !m_expected && !NameTaken(target))
        return TakeFreeName(); // the file found is gone: only its name is taken
    if (FlagsUnsupported(failed)) {
        // The nearest the file system allows: a look right before the rename.
        failed = !IsFileFound(target) || !HoldsFoundContent(target)       ? EEXIST
                 : rename(temporary.constData(), target.constData()) == 0 ? 0
                                                                          : errno;
    } else if (failed == ENOENT && !NameTaken(target)) {
        failed = EEXIST; // the file its writer expects is gone
    } else if (failed == 0 && (!IsFileFound(temporary, false) || !HoldsFoundContent(temporary))) {
        return GiveNameBack(); // another file had the name
    } else if (failed == 0) {
        // The old file, proven the one found, now has the temporary name.
        unlink(temporary.constData());
    }
    return NamingDone(failed);
}

bool FileReplacement::GiveNameBack() {
    const QByteArray temporary = QFile::encodeName(m_temporaryPath);
    const QByteArray target = QFile::encodeName(m_targetPath);
    const auto exchange = [&] { return (errno = RenameWith(temporary, target, RENAME_EXCHANGE)) == 0; };
    const auto holdsNewFile = [this](const QByteArray& path) {
        struct stat info {};
        return lstat(path.constData(), &info) == 0 && SameFile(FileReplacement::StateOf(info).file, m_temporaryFile);
    };
    // The file exchanged out gets the name back from the new file, which goes with the temporary name. Another
    // program that saved the file by rename meanwhile put its own file at the name: that one keeps it, and gets it
    // again at once where it came out in the new file's place.
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts && holdsNewFile(target); ++attempt) {
        if (!exchange())
            return KeepExchangedOut(errno);
        if (holdsNewFile(temporary))
            return NamingDone(EEXIST);
        if (!exchange())
            return KeepExchangedOut(errno);
    }
    return KeepExchangedOut(0);
}

bool FileReplacement::KeepExchangedOut(int error) {
    // Whatever has the temporary name now is another program's: it stays beside the file under a name that no later
    // save takes for a temporary file of ours, which is said.
    const QString kept = m_temporaryPath + kKeptSuffix;
    const bool renamed = renameat2(AT_FDCWD, QFile::encodeName(m_temporaryPath).constData(), AT_FDCWD,
                                   QFile::encodeName(kept).constData(), RENAME_NOREPLACE) == 0;
    const QString keptPath = renamed ? kept : m_temporaryPath;
    m_temporaryPath.clear();
    if (error != 0) {
        FailWithErrno(error);
        m_errorText += QLatin1Char('\n') + keptPath;
        return false;
    }
    m_refusal = Refusal::Changed;
    m_errorText = keptPath;
    return false;
}

bool FileReplacement::TakeFreeName() {
    const QByteArray temporary = QFile::encodeName(m_temporaryPath);
    const QByteArray target = QFile::encodeName(m_targetPath);
    int failed = RenameWith(temporary, target, RENAME_NOREPLACE);
    if (FlagsUnsupported(failed)) {
        // A second name is never made over another file; where files have no second names, a look right before
        // the rename is the nearest.
        failed = link(temporary.constData(), target.constData()) == 0 ? 0 : errno;
        if (failed == 0)
            unlink(temporary.constData());
        else if (failed != EEXIST)
            failed = NameTaken(target) ? EEXIST : rename(temporary.constData(), target.constData()) == 0 ? 0 : errno;
    }
    return NamingDone(failed);
}

bool FileReplacement::NamingDone(int failed) {
    if (failed == EEXIST) {
        m_refusal = Refusal::Changed;
        return false;
    }
    if (failed != 0) {
        FailWithErrno(failed);
        return false;
    }
    m_temporaryPath.clear();
    return true;
}

bool FileReplacement::IsFileFound(const QByteArray& path, bool status) {
    const std::optional<FileState> now = StateAt(path, false);
    if (!now)
        return false;
    return SameFileState(*now, m_target, status) ||
           (status && StatusMovedAlone(
                          *now, [&] { return StateAt(path, false); },
                          [&] { return DigestOfFileAt(path, now->file.device, now->file.inode, now->size); }));
}

bool FileReplacement::HoldsFoundContent(const QByteArray& path) const {
    return !ContentToCompare() ||
           DigestOfFileAt(path, m_target.file.device, m_target.file.inode, m_target.size) == m_expectedDigest;
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

bool FileReplacement::CarryAttributes(int fd) {
    QByteArray list;
    if (!ReadSized(list, [fd](char* buffer, size_t size) { return flistxattr(fd, buffer, size); }))
        return errno == ENOTSUP && m_attributes.isEmpty();
    // What the new file got from its folder (a default ACL) and the old one did not have goes.
    for (const QByteArray& name : AttributeNames(list)) {
        const bool kept = std::any_of(m_attributes.cbegin(), m_attributes.cend(),
                                      [&](const auto& attribute) { return attribute.first == name; });
        if (!kept && fremovexattr(fd, name.constData()) != 0)
            return false;
    }
    for (const auto& attribute : m_attributes) {
        const QByteArray& name = attribute.first;
        const QByteArray& value = attribute.second;
        QByteArray present;
        if (ReadSized(present,
                      [&](char* buffer, size_t size) { return fgetxattr(fd, name.constData(), buffer, size); }) &&
            present == value)
            continue;
        if (fsetxattr(fd, name.constData(), value.constData(), size_t(value.size()), 0) != 0)
            return false;
    }
    return true;
}

int FileReplacement::MakeBackupDirectory(const QString& directory) {
    // Its names tell which documents the user edits: only the user may read it, and a folder of ours that an older
    // build made readable to others is made so.
    const QByteArray encoded = QFile::encodeName(directory);
    QDir().mkpath(QFileInfo(directory).absolutePath());
    int error = mkdir(encoded.constData(), 0700) == 0 || errno == EEXIST ? 0 : errno;
    struct stat status {};
    if (error == 0 && stat(encoded.constData(), &status) != 0) {
        error = errno;
        if (lstat(encoded.constData(), &status) == 0 && S_ISLNK(status.st_mode)) {
            // A link to nothing: the reason is its target's, named after it.
            FailWithErrno(error, directory + QStringLiteral(" -> ") + QFileInfo(directory).symLinkTarget());
            return error;
        }
    }
    if (error == 0 && !S_ISDIR(status.st_mode))
        error = ENOTDIR;
    if (error == 0 && status.st_uid == geteuid() && (status.st_mode & 077) != 0 &&
        chmod(encoded.constData(), status.st_mode & 0700) != 0)
        error = errno;
    // The system's reason, for the folder itself: one of its parents may be a file.
    if (error != 0)
        FailWithErrno(error, directory);
    return error;
}

bool FileReplacement::WriteBackup(const QByteArray& old, qint64& done, int& backupFd, QString& backupPath) {
    const QString directory = BackupDirectory();
    if (directory.isEmpty()) {
        FailWithErrno(ENOENT, QStringLiteral("XDG_CACHE_HOME"));
        return false;
    }
    if (const int failed = MakeBackupDirectory(directory)) {
        if (failed == ENOSPC || failed == EDQUOT)
            WantRoom(old.size(), true);
        return false;
    }
    // Only this user may read it, and it is locked while this process writes the file.
    const QString start = directory + QLatin1Char('/') + BackupNameStart(m_targetPath) + QLatin1Char('-') +
                          QString::number(getpid()) + QLatin1Char('-');
    QString partialPath;
    int fd = -1;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && fd < 0; ++attempt) {
        backupPath = start + RandomNamePart() + kBackupSuffix;
        partialPath = backupPath + kPartialSuffix;
        fd = open(QFile::encodeName(partialPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        FailWithErrno(errno, directory);
        return false;
    }
    // Named as a backup only once it is complete and lasting.
    int failed = flock(fd, LOCK_EX | LOCK_NB) == 0 ? WriteFromStart(fd, old, done) : errno;
    if (failed == 0 && fsync(fd) != 0)
        failed = errno;
    if (failed == 0) {
        StepDone(done);
        if (rename(QFile::encodeName(partialPath).constData(), QFile::encodeName(backupPath).constData()) != 0)
            failed = errno;
        else if ((failed = SyncFolder(directory)) != 0)
            unlink(QFile::encodeName(backupPath).constData());
    }
    if (failed != 0) {
        // Named after its folder: the backup is gone.
        unlink(QFile::encodeName(partialPath).constData());
        close(fd);
        FailWithErrno(failed, directory);
        if (failed == ENOSPC || failed == EDQUOT)
            WantRoom(old.size(), true);
        return false;
    }
    StepDone(done);
    backupFd = fd;
    return true;
}

void FileReplacement::WantRoom(qint64 oldSize, bool forBackup) {
    const QString folder = QFileInfo(m_targetPath).absolutePath();
    const QString cache = BackupDirectory();
    // A cache folder not made yet wants a block for each folder to make, where the first of them goes.
    QString existing = cache;
    qint64 folders = 0;
    for (; !QFileInfo::exists(existing) && existing != QFileInfo(existing).absolutePath(); ++folders)
        existing = QFileInfo(existing).absolutePath();
    const qint64 copy = RoomOf(folder, m_output->Content().size());
    const qint64 growth = std::max<qint64>(0, copy - RoomOf(folder, oldSize));
    const qint64 backup = RoomOf(existing, oldSize) + folders * RoomOf(existing, 1);
    if (OnOneFileSystem(folder, existing)) {
        // The backup and the file's growth take their room from the same place; a new copy beside the file, which
        // is never more, is an answer only where one was tried.
        m_roomWanted.append(
            RoomIn(folder, m_noRoomBeside ? std::min(copy, backup + growth) : backup + growth, copy + backup));
        return;
    }
    if (!forBackup) {
        m_roomWanted.append(RoomIn(folder, growth, copy));
        return;
    }
    if (m_noRoomBeside)
        m_roomWanted.append(RoomIn(folder, copy, copy));
    m_roomWanted.append(RoomIn(cache, backup, backup));
}

void FileReplacement::NoteWritten(int fd, quint64 digest) {
    if (const std::optional<FileState> written = StateOfOpenFile(fd)) {
        m_writtenFile = *written;
        m_writtenDigest = digest;
    }
}

std::optional<FileReplacement::FileState> FileReplacement::ReadBackState(int fd, const QByteArray& content) {
    // The file's states before and after a read that finds exactly `content`; nothing where it finds anything else.
    // The state is taken before the read: a write while the file is read back changes its time of change, which no
    // program can set back, and one before changes what is read.
    const auto readBack = [&]() -> std::optional<std::pair<FileState, FileState>> {
        const std::optional<FileState> before = StateOfOpenFile(fd);
        if (!before || !HoldsExactly(fd, content))
            return std::nullopt;
        Reached(InPlaceWriteHook::Moment::ReadBack);
        const std::optional<FileState> after = StateOfOpenFile(fd);
        return after ? std::optional(std::pair(*before, *after)) : std::nullopt;
    };
    // A status that did not move leaves the content as read, unless a write within the tick of the file system's
    // clock in which the file was written moved nothing: once that tick has passed, a read tells; before, the state
    // does not vouch for the content, and the next save compares it. Where the status changed (new bits, an owner, a
    // second name, or a write), or the tick has passed, the file holds what was written when it reads back so again
    // without its status moving: a status that keeps moving is read a few times at most.
    constexpr int kReads = 4;
    std::optional<std::pair<FileState, FileState>> read = readBack();
    for (int reads = 1; read; ++reads) {
        const auto& [before, after] = *read;
        if (SameFileState(after, before) && (reads > 1 || before.TimesVouch() || !after.TimesVouch()))
            return before;
        if (reads == kReads)
            break;
        read = readBack();
    }
    return std::nullopt;
}

bool FileReplacement::StillAsFound(int fd) {
    const std::optional<FileState> now = StateOfOpenFile(fd);
    if (!now) {
        FailWithErrno(errno);
        return false;
    }
    if (!SameFileState(*now, m_target) &&
        !StatusMovedAlone(
            *now, [fd] { return StateOfOpenFile(fd); }, [&] { return DigestOfFile(fd, now->size); })) {
        m_refusal = Refusal::Changed;
        return false;
    }
    return true;
}

bool FileReplacement::StillNamed(int fd) const {
    struct stat written {};
    struct stat named {};
    return fstat(fd, &written) == 0 && lstat(QFile::encodeName(m_targetPath).constData(), &named) == 0 &&
           SameFile(FileReplacement::StateOf(written).file, FileReplacement::StateOf(named).file);
}

int FileReplacement::OpenTarget() {
    Reached(InPlaceWriteHook::Moment::Opening);
    // The target's own name, which is no link: one put there since is not followed.
    const int fd = open(QFile::encodeName(m_targetPath).constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0 && errno != ELOOP) {
        FailWithErrno(errno);
        return -1;
    }
    if (fd < 0) {
        m_refusal = Refusal::Changed;
        return -1;
    }
    if (!StillAsFound(fd)) {
        close(fd);
        return -1;
    }
    return fd;
}

bool FileReplacement::CommitInPlace() {
    const QByteArray& content = m_output->Content();
    const int fd = OpenTarget();
    if (fd < 0)
        return false;
    // One writer at a time: another save into the same file (through another of its names, too) finishes first, and
    // what it wrote is then no longer the file found. Each look below spares the next step a file changed by then.
    if (!DocumentFileLock::LockForWriting(fd, kInPlaceLockWait)) {
        FailWithErrno(errno);
        close(fd);
        return false;
    }
    Reached(InPlaceWriteHook::Moment::Locked);
    QFile file;
    QByteArray old;
    if (!StillAsFound(fd) || !file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle) ||
        (old = file.readAll(), file.error() != QFileDevice::NoError)) {
        if (file.error() != QFileDevice::NoError)
            m_errorText = file.errorString();
        close(fd);
        return false;
    }
    file.close();
    Reached(InPlaceWriteHook::Moment::OldContentRead);
    // Where the times of the file expected cannot vouch for its content, what was read must be what its writer
    // recorded, and the file must still hold it at the last look before its first byte is overwritten: the times do
    // not show a change within their tick.
    if (ContentToCompare()) {
        ContentDigest digest;
        digest.Add(old);
        if (digest.Result() != *m_expectedDigest) {
            m_refusal = Refusal::Changed;
            close(fd);
            return false;
        }
    }

    // Until the new content is safely in the file, the old one waits in the cache folder. It is the old content only
    // while nobody wrote the file since it was found, through its reading and the backup's writing too.
    qint64 done = 0;
    int backupFd = -1;
    QString backupPath;
    if (!StillAsFound(fd) || !WriteBackup(old, done, backupFd, backupPath)) {
        close(fd);
        return false;
    }
    Reached(InPlaceWriteHook::Moment::BackupWritten);
    const QByteArray encodedBackup = QFile::encodeName(backupPath);
    const auto dropBackup = [&] {
        unlink(encodedBackup.constData());
        close(backupFd);
    };
    const bool stillOld = StillAsFound(fd) && (!ContentToCompare() || HoldsExactly(fd, old));
    if (!stillOld) {
        if (m_errorText.isEmpty())
            m_refusal = Refusal::Changed;
        dropBackup();
        close(fd);
        return false;
    }
    const int failed = WriteWhole(fd, content, done);
    if (failed != 0) {
        FailWithErrno(failed);
        if (WriteWhole(fd, old, done) == 0) {
            unlink(encodedBackup.constData());
            if (failed == ENOSPC || failed == EDQUOT)
                WantRoom(old.size(), false);
            // The file holds its old content again: that is what was written, when nobody wrote into it meanwhile.
            if (const std::optional<FileState> restored = ReadBackState(fd, old)) {
                ContentDigest digest;
                digest.Add(old);
                m_writtenFile = *restored;
                m_writtenDigest = digest.Result();
            }
        } else { // The old content could not be put back: its copy stays for the user.
            m_errorText += QLatin1Char('\n') + backupPath;
        }
        close(backupFd);
        close(fd);
        return false;
    }
    Reached(InPlaceWriteHook::Moment::FileWritten);
    // Another program that wrote into the file meanwhile, while it was written or read back, left its bytes among
    // ours: the file may be damaged, and its old content stays in the backup for the user. The file is not taken
    // for the one written.
    const std::optional<FileState> written = ReadBackState(fd, content);
    if (!written) {
        m_refusal = Refusal::Damaged;
        m_errorText = KeepBackupOfDamagedFile(backupPath);
        close(backupFd);
        close(fd);
        return false;
    }
    // A file another program put at the name while this one was written is not what the name now holds, so the save
    // is no save of it: the writer hears of a changed file.
    if (!StillNamed(fd)) {
        m_refusal = Refusal::Changed;
        dropBackup();
        close(fd);
        return false;
    }
    dropBackup();
    close(fd);
    m_writtenFile = *written;
    m_writtenDigest = m_output->Digest();
    return true;
}

} // namespace platform
