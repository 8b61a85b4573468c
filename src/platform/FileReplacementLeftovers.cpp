#include "platform/FileReplacement.h"

#include "internal/FileReplacementParts.h"
#include "platform/LivenessLock.h"
#include "platform/WholeCharacters.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>

#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

using namespace file_replacement;

namespace {

constexpr int kBackupNameLength = 64;
constexpr int kBackupHashLength = 16;
const QLatin1String kTemporaryMark(".nuvsave-");
// Hexadecimal digits of the random part of a temporary file's name, and of the digest that ends it.
constexpr int kTemporaryDigits = 8;
// The most digits of a process id (a positive int) in a temporary file's name.
constexpr int kProcessIdDigits = 10;

// The digest that ends the name of a temporary file of ours, from the rest of the name and, once the file has its
// name for the write, the file's inode.
QString TemporaryCheck(QStringView start, std::optional<quint64> inode) {
    QByteArray checked = start.toUtf8() + '/';
    if (inode)
        checked += QByteArray::number(*inode);
    const QByteArray hash = QCryptographicHash::hash(checked, QCryptographicHash::Sha256);
    return QString::fromLatin1(hash.toHex().left(kTemporaryDigits));
}

// Whether the name that matched the pattern of temporary files is the one the file `info` was made under, or named for
// its write: it ends with the digest of the rest of it, alone or with that file's inode. Another file put under the
// name (another program's save, exchanged out of the document's name) is never taken for it.
bool IsTemporaryName(const QString& name, const struct stat& info) {
    const QStringView start = QStringView(name).chopped(kTemporaryDigits);
    return name.endsWith(TemporaryCheck(start, std::nullopt)) || name.endsWith(TemporaryCheck(start, info.st_ino));
}

// A file its writer locked while it worked was left by a writer of this user that is gone: its process is no
// more, and the lock is free (the id alone could be another machine's, the lock alone not yet taken by a writer
// that has just made the file), and a file under `name` that `ours`, when given, does not take for its own never is.
// Another user's file is never ours to remove, whatever its name.
bool LeftByDeadWriter(const QString& path, const QString& name, quint32 pid,
                      bool (*ours)(const QString& name, const struct stat& info)) {
    if (ProcessExists(pid))
        return false;
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool gone = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
                      (!ours || ours(name, info)) && flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return gone;
}

// The files in `folder` whose names match `pattern`, whose first capture is the writer's process id, and pass
// `ours` with their status when it is given, left by writers that are gone (by any writer, when `anyWriter`).
QStringList LeftFiles(const QString& folder, const QRegularExpression& pattern,
                      bool (*ours)(const QString& name, const struct stat& info) = nullptr, bool anyWriter = false) {
    QStringList left;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        const QRegularExpressionMatch match = pattern.match(name);
        bool number = false;
        const quint32 pid = match.hasMatch() ? match.captured(1).toUInt(&number) : 0;
        const QString path = folder + QLatin1Char('/') + name;
        if (number && (anyWriter || LeftByDeadWriter(path, name, pid, ours)))
            left << path;
    }
    return left;
}

QString AbsolutePath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
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

} // namespace

namespace file_replacement {

QString TemporaryNameStart(const QString& folder, const QString& fileName) {
    const long limit = pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    // Besides the name: ".", the mark, "PID-" with the longest process id, the random part and the digest, and the
    // suffix that another program's file kept under the name gets (KeepExchangedOut).
    const qsizetype room = (limit > 0 ? limit : NAME_MAX) - (1 + kTemporaryMark.size() + kProcessIdDigits + 1 +
                                                             2 * kTemporaryDigits + kKeptSuffix.size());
    const qsizetype length = WholeCharactersLength(
        fileName, room, [](QStringView start) { return QFile::encodeName(start.toString()).size(); });
    return QLatin1Char('.') + fileName.left(length) + kTemporaryMark;
}

QString TemporaryName(const QString& start, std::optional<quint64> inode) {
    const QString name =
        start + QString::number(getpid()) + QLatin1Char('-') +
        QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), kTemporaryDigits, 16, QLatin1Char('0'));
    return name + TemporaryCheck(name, inode);
}

QString BackupNameStart(const QString& path) {
    const QString absolute = AbsolutePath(path);
    const QString fileName = QFileInfo(absolute).fileName();
    const QString name = fileName.left(WholeCharactersLength(fileName, kBackupNameLength));
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(absolute), QCryptographicHash::Sha256);
    return name + QLatin1Char('-') + QString::fromLatin1(hash.toHex().left(kBackupHashLength));
}

} // namespace file_replacement

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

} // namespace platform
