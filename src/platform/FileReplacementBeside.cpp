#include "platform/FileReplacement.h"

#include "internal/FileReplacementParts.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <tuple>
#include <unistd.h>

namespace platform {

using namespace file_replacement;

namespace {

// A folder's default ACL as the system stores it in an extended attribute: a header, then entries of a tag (16
// bits), the permission bits (16) and an id (32), least significant byte first.
const char kDefaultAclAttribute[] = "system.posix_acl_default";
constexpr int kAclHeaderSize = 4;
constexpr int kAclEntrySize = 8;
constexpr quint16 kAclUserObject = 0x01;
constexpr quint16 kAclGroupObject = 0x04;
constexpr quint16 kAclMask = 0x10;
constexpr quint16 kAclOther = 0x20;

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

// Renames `from` to `to` with `flags` (RENAME_EXCHANGE, RENAME_NOREPLACE); 0 or the errno it failed with.
int RenameWith(const QByteArray& from, const QByteArray& to, unsigned flags) {
    if (g_temporaryWriteHook)
        if (const int failed = g_temporaryWriteHook->Renaming())
            return failed;
    return renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), flags) == 0 ? 0 : errno;
}

// Whether the file open as `fd` shows the permission bits `mode`.
bool ShowsBits(int fd, unsigned mode) {
    struct stat info {};
    return fstat(fd, &info) == 0 && (info.st_mode & 07777) == mode;
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

} // namespace

namespace file_replacement {

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

int SetBits(int fd, const QByteArray& path, unsigned mode) {
    if (g_temporaryWriteHook)
        if (const int failed = g_temporaryWriteHook->SettingBits())
            return failed;
    return (fd >= 0 ? fchmod(fd, mode) : chmod(path.constData(), mode)) == 0 ? 0 : errno;
}

} // namespace file_replacement

bool FileReplacement::OpenBeside() {
    // The temporary file is named after the target and the writing process, and locked while it is written, so
    // that what a dead process left can be told (RemoveLeftTemporaries). Only its owner may read it until the
    // commit gives it the target's bits (or a new file's); killed, the save leaves nobody else a copy. It is read
    // back when it finds no room.
    const QFileInfo target(m_targetPath);
    const QString folder = m_targetPath.left(m_targetPath.size() - target.fileName().size());
    const QString start = TemporaryNameStart(target.absolutePath(), target.fileName());
    m_temporaryNamed = false;
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
        NameTemporaryForItsInode(folder, start);
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

void FileReplacement::NameTemporaryForItsInode(const QString& folder, const QString& start) {
    const QByteArray made = QFile::encodeName(m_temporaryPath);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const QString name = folder + TemporaryName(start, m_temporaryFile.inode);
        const QByteArray named = QFile::encodeName(name);
        if (renameat2(AT_FDCWD, made.constData(), AT_FDCWD, named.constData(), RENAME_NOREPLACE) == 0) {
            m_temporaryPath = name;
            m_temporaryNamed = true;
            return;
        }
        if (errno != EEXIST)
            return;
    }
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
        // The bits go last: they are the ACL's too. A file system that cannot set bits shows those it gives: a new
        // file keeps them, and the target's content is written into the file itself where they are not its own.
        if (const int bits =
                SetBits(fd, {}, m_targetExists ? m_mode : NewFileMode(QFileInfo(m_targetPath).absolutePath()))) {
            if (!BitsUnsupported(bits)) {
                FailWithErrno(bits);
                return false;
            }
            if (m_targetExists && !ShowsBits(fd, m_mode))
                return FallBackInPlace(false) && CommitInPlace();
        }
        if (fsync(fd) != 0) {
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
    // Only a file under the name for its inode is exchanged: what the exchange brings out may have to stay under it.
    int failed = m_temporaryNamed ? RenameWith(temporary, target, RENAME_EXCHANGE) : EINVAL;
    if ((failed == ENOENT || FlagsUnsupported(failed)) && !m_expected && !NameTaken(target))
        return TakeFreeName(); // the file found is gone: only its name is taken
    if (FlagsUnsupported(failed)) {
        // The nearest the file system allows: a look right before the rename, after the content is compared.
        failed = !HoldsFoundContent(target) || !IsFileFound(target)       ? EEXIST
                 : rename(temporary.constData(), target.constData()) == 0 ? 0
                                                                          : errno;
    } else if (failed == ENOENT && !NameTaken(target)) {
        failed = EEXIST; // the file its writer expects is gone
    } else if (failed == 0 && !ExchangedOutIsFound(temporary)) {
        return GiveNameBack(); // another file had the name
    } else if (failed == 0) {
        // The old file, proven the one found, now has the temporary name.
        unlink(temporary.constData());
    }
    return NamingDone(failed);
}

bool FileReplacement::ExchangedOutIsFound(const QByteArray& path) {
    // The exchange moved its time of change: the state right after it stands in for the one found from then on, so
    // that a write while the content is compared moves it, even one that sets the modification time back.
    const std::optional<FileState> exchanged = StateAt(path, false);
    if (!exchanged || !SameFileState(*exchanged, m_target, false))
        return false;
    if (!ContentToCompare())
        return true;
    if (!HoldsFoundContent(path))
        return false;
    const std::optional<FileState> compared = StateAt(path, false);
    return compared && SameFileState(*compared, *exchanged);
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
    // Whatever has the temporary name now is another program's: it stays beside the file under a name that says so,
    // which is said. Where it cannot get that name, it keeps the temporary one, which names the inode of the file made
    // (NameTemporaryForItsInode), not its own: no later save takes it for a temporary file of ours either.
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

} // namespace platform
