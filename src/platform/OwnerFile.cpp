#include "platform/OwnerFile.h"

#include "platform/UserFile.h"
#include "platform/UserName.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kOwnerPrefix = QStringLiteral("~$");
const QString kUnknownUser = QStringLiteral("Unknown");
constexpr qint64 kMaxOwnerBytes = 512; // what a reader takes in, whatever the file's size
constexpr int kMaxWrittenUnits = 260;  // what a writer puts out
constexpr int kMaxNameUnits = 255;     // what the caller's 256-unit name holds besides its terminator

// What a writer of owner files leaves: a regular file of its own, of whole UTF-16 units within the written length.
bool IsWrittenOwnerFile(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_nlink == 1 && info.st_size % 2 == 0 && info.st_size <= 2 * kMaxWrittenUnits;
}

} // namespace

QString MakeOwnerFileName(const QString& documentPath) {
    const QFileInfo info(documentPath);
    const QString directory = documentPath.left(documentPath.size() - info.fileName().size());
    return directory + kOwnerPrefix + info.fileName();
}

bool IsOwnerFileName(const QString& fileName) {
    return fileName.startsWith(kOwnerPrefix);
}

OwnerFileWrite WriteOwnerFile(const QString& documentPath) {
    QString name = platform::GetUserName();
    if (name.isEmpty())
        name = kUnknownUser;
    name.truncate(kMaxWrittenUnits);
    QByteArray bytes;
    for (QChar unit : name) {
        bytes.append(static_cast<char>(unit.unicode() & 0xFF));
        bytes.append(static_cast<char>(unit.unicode() >> 8));
    }
    const QByteArray path = QFile::encodeName(MakeOwnerFileName(documentPath));
    struct stat info {};
    if (lstat(path.constData(), &info) == 0) {
        if (!IsWrittenOwnerFile(info))
            return OwnerFileWrite::Refused;
        if (unlink(path.constData()) != 0)
            return OwnerFileWrite::NotWritten;
    }
    // Made new, so that nothing planted under the name meanwhile is followed or written.
    const int fd = open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno == EEXIST || errno == ELOOP ? OwnerFileWrite::Refused : OwnerFileWrite::NotWritten;
    QFile file;
    const bool written = file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) &&
                         file.write(bytes) == bytes.size() && file.flush();
    if (!file.isOpen())
        close(fd);
    return written ? OwnerFileWrite::Written : OwnerFileWrite::NotWritten;
}

QString ReadOwnerFile(const QString& documentPath) {
    return ReadOwnerName(documentPath).value_or(kUnknownUser);
}

std::optional<QString> ReadOwnerName(const QString& documentPath) {
    const QString path = MakeOwnerFileName(documentPath);
    QFile file;
    if (QFileInfo(path).isSymLink() || !platform::OpenRegularFileForReading(file, path))
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxOwnerBytes);
    QString name;
    for (qsizetype i = 0; i + 1 < bytes.size() && name.size() < kMaxNameUnits; i += 2) {
        const char16_t unit = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit == 0)
            break;
        name.append(QChar(unit));
    }
    if (name.isEmpty() || name == kUnknownUser)
        return std::nullopt;
    return name;
}

void DeleteOwnerFile(const QString& documentPath) {
    QFile::remove(MakeOwnerFileName(documentPath));
}
