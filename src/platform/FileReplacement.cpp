#include "platform/FileReplacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kBackupNameLength = 64;
constexpr int kTemporaryNameAttempts = 100;

// Writes all of `bytes` at the start of the file and cuts it there; 0 or the errno of the failed step.
int WriteWhole(int fd, const QByteArray& bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t written = pwrite(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done), done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += written;
    }
    if (ftruncate(fd, bytes.size()) != 0 || fsync(fd) != 0)
        return errno;
    return 0;
}

} // namespace

FileReplacement::FileReplacement(const QString& path) : m_path(path), m_targetPath(path) {}

FileReplacement::~FileReplacement() {
    Cancel();
}

QString FileReplacement::BackupDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

void FileReplacement::FailWithErrno(int error) {
    m_errorText = QString::fromLocal8Bit(std::strerror(error));
}

bool FileReplacement::Open() {
    Cancel();
    m_refusal = Refusal::None;
    m_errorText.clear();
    m_inPlace = false;
    const QByteArray encoded = QFile::encodeName(m_path);
    struct stat link {};
    if (lstat(encoded.constData(), &link) != 0) {
        if (errno != ENOENT) {
            FailWithErrno(errno);
            return false;
        }
        m_targetExists = false;
        m_targetPath = m_path;
    } else {
        struct stat target {};
        const int statError = stat(encoded.constData(), &target) == 0 ? 0 : errno;
        if (statError != 0 && statError != ENOENT && statError != ELOOP) {
            FailWithErrno(statError);
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
        m_mode = target.st_mode & 07777;
        m_owner = target.st_uid;
        m_group = target.st_gid;
        // Renaming a new file over one with other names would leave those names on the old content.
        if (target.st_nlink > 1)
            return OpenInPlace();
    }
    if (OpenBeside())
        return true;
    // No file may be made beside it: the file itself is written, when we may.
    return m_targetExists && OpenInPlace();
}

bool FileReplacement::OpenBeside() {
    // The temporary file is named after the target. Made with the mode of any new file (the umask applied);
    // a file replaced gives it its own bits at the commit.
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const QString name =
            m_targetPath + QLatin1Char('.') + QString::number(QRandomGenerator::global()->generate(), 36);
        const int fd = open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            FailWithErrno(errno);
            return false;
        }
        m_temporaryPath = name;
        m_temporaryFile = std::make_unique<QFile>();
        if (!m_temporaryFile->open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            m_errorText = m_temporaryFile->errorString();
            close(fd);
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
    m_content.clear();
    m_buffer.setBuffer(&m_content);
    return m_buffer.open(QIODevice::WriteOnly);
}

QIODevice& FileReplacement::Device() {
    if (m_inPlace)
        return m_buffer;
    return *m_temporaryFile;
}

void FileReplacement::Cancel() {
    if (m_temporaryFile) {
        m_temporaryFile.reset();
        unlink(QFile::encodeName(m_temporaryPath).constData());
        m_temporaryPath.clear();
    }
    if (m_buffer.isOpen())
        m_buffer.close();
    m_content.clear();
}

bool FileReplacement::Commit() {
    const bool committed = m_inPlace ? CommitInPlace() : CommitBeside();
    Cancel();
    return committed;
}

bool FileReplacement::CommitBeside() {
    if (!m_temporaryFile)
        return false;
    if (!m_temporaryFile->flush()) {
        m_errorText = m_temporaryFile->errorString();
        return false;
    }
    const int fd = m_temporaryFile->handle();
    if (m_targetExists) {
        // The new file takes the old one's owner where we may give it (the superuser saving another user's
        // file), then its permission bits: the change of owner would clear set-id bits again. Where the owner
        // is not ours to give, the file stays the saving user's, as a new file would be.
        if ((m_owner != geteuid() || m_group != getegid()) && fchown(fd, m_owner, m_group) != 0)
            errno = 0;
        if (fchmod(fd, m_mode) != 0) {
            FailWithErrno(errno);
            return false;
        }
    }
    if (fsync(fd) != 0) {
        FailWithErrno(errno);
        return false;
    }
    m_temporaryFile->close();
    if (rename(QFile::encodeName(m_temporaryPath).constData(), QFile::encodeName(m_targetPath).constData()) != 0) {
        FailWithErrno(errno);
        return false;
    }
    m_temporaryFile.reset();
    // The new name is made lasting too, as far as the folder lets us.
    const int folder =
        open(QFile::encodeName(QFileInfo(m_targetPath).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

bool FileReplacement::CommitInPlace() {
    m_buffer.close();
    const QByteArray encoded = QFile::encodeName(m_targetPath);
    const int fd = open(encoded.constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        FailWithErrno(errno);
        return false;
    }
    QFile file;
    QByteArray old;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle) ||
        (old = file.readAll(), file.error() != QFileDevice::NoError)) {
        m_errorText = file.errorString();
        close(fd);
        return false;
    }
    file.close();

    // Until the new content is safely in the file, the old one waits in a file only this user can read.
    const QString directory = BackupDirectory();
    // Named after the file, as far as a name of the longest length leaves room for the random part.
    QTemporaryFile backup(directory + QLatin1Char('/') + QFileInfo(m_targetPath).fileName().left(kBackupNameLength) +
                          QStringLiteral(".XXXXXX"));
    if (directory.isEmpty() || !QDir().mkpath(directory) || !backup.open() ||
        !backup.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) || backup.write(old) != old.size() ||
        !backup.flush() || fsync(backup.handle()) != 0) {
        m_errorText = backup.errorString();
        close(fd);
        return false;
    }

    const int failed = WriteWhole(fd, m_content);
    if (failed == 0) {
        close(fd);
        return true;
    }
    FailWithErrno(failed);
    if (WriteWhole(fd, old) != 0) {
        // The old content could not be put back: its copy stays for the user.
        backup.setAutoRemove(false);
        m_errorText += QLatin1Char('\n') + backup.fileName();
    }
    close(fd);
    return false;
}

} // namespace platform
