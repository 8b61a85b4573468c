#include "platform/FileReplacement.h"

#include "internal/FileReplacementParts.h"
#include "platform/DocumentFileLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform {

using namespace file_replacement;

namespace {

// How long a write in place waits for another writer of the same file to finish.
constexpr int kInPlaceLockWait = 10000;

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

QString RandomNamePart() {
    return QString::number(QRandomGenerator::global()->generate(), 36);
}

bool OnOneFileSystem(const QString& first, const QString& second) {
    struct stat one {};
    struct stat other {};
    return stat(QFile::encodeName(first).constData(), &one) == 0 &&
           stat(QFile::encodeName(second).constData(), &other) == 0 && one.st_dev == other.st_dev;
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

namespace file_replacement {

qint64 RoomOf(const QString& folder, qint64 bytes) {
    struct statvfs system {};
    if (statvfs(QFile::encodeName(folder).constData(), &system) != 0 || system.f_frsize == 0)
        return bytes;
    const qint64 block = qint64(system.f_frsize);
    return (bytes + block - 1) / block * block;
}

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

} // namespace file_replacement

int FileReplacement::MakeBackupDirectory(const QString& directory) {
    // Its names tell which documents the user edits: only the user may read it, and a folder of ours that an older
    // build made readable to others is made so, where its file system can set bits.
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
    if (error == 0 && status.st_uid == geteuid() && (status.st_mode & 077) != 0) {
        error = SetBits(-1, encoded, status.st_mode & 0700);
        if (BitsUnsupported(error))
            error = 0;
    }
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
    // recorded, and the file must still hold it right before its first byte is overwritten: the times do not show a
    // change within their tick.
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
    // Where the content is compared, the last look at the file comes after that read, right before the first byte is
    // overwritten: another program's write during the read moves the file's state, though the read may have passed the
    // bytes it changed.
    const auto holdsOld = [&] {
        if (!ContentToCompare())
            return true;
        const bool holds = HoldsExactly(fd, old);
        Reached(InPlaceWriteHook::Moment::ContentCompared);
        return holds;
    };
    const bool stillOld = holdsOld() && StillAsFound(fd);
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
