#include "platform/FileReplacement.h"

#include "internal/FileReplacementParts.h"
#include "platform/DocumentHold.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

using namespace file_replacement;

namespace file_replacement {

InPlaceWriteHook* g_inPlaceWriteHook = nullptr;
TemporaryWriteHook* g_temporaryWriteHook = nullptr;

int SyncFolder(const QString& folder) {
    const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int failed = fsync(fd) == 0 ? 0 : errno;
    close(fd);
    return failed;
}

} // namespace file_replacement

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

} // namespace platform
