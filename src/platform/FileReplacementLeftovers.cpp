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

// The digest that ends the name of a temporary file of ours, from the rest of the name.
QString TemporaryCheck(QStringView start) {
    const QByteArray hash = QCryptographicHash::hash(start.toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(hash.toHex().left(kTemporaryDigits));
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

// The mark in the cache folder that the file under the temporary name `temporaryPath` of the file at `path` is another
// program's, kept under that name where it could not be given one of its own: "NAME-HASH-PID-RANDOMCHECK.kept".
QString KeptTemporaryMark(const QString& path, const QString& temporaryPath) {
    const QString name = QFileInfo(temporaryPath).fileName();
    return FileReplacement::BackupDirectory() + QLatin1Char('/') + BackupNameStart(path) + QLatin1Char('-') +
           name.mid(name.lastIndexOf(kTemporaryMark) + kTemporaryMark.size()) + kKeptSuffix;
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

QString TemporaryName(const QString& start) {
    const QString name =
        start + QString::number(getpid()) + QLatin1Char('-') +
        QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), kTemporaryDigits, 16, QLatin1Char('0'));
    return name + TemporaryCheck(name);
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
    // Another program's file kept under a temporary name is not ours.
    left.removeIf([&](const QString& file) { return QFileInfo::exists(KeptTemporaryMark(path, file)); });
    // A backup not yet complete was left before the file was touched.
    left += LeftFiles(BackupDirectory(), BackupPattern(path, {kBackupSuffix + kPartialSuffix}));
    for (const QString& file : left)
        unlink(QFile::encodeName(file).constData());
}

void FileReplacement::MarkKeptTemporary() {
    const QString directory = BackupDirectory();
    if (directory.isEmpty() || MakeBackupDirectory(directory) != 0)
        return;
    const int fd = open(QFile::encodeName(KeptTemporaryMark(m_targetPath, m_temporaryPath)).constData(),
                        O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
    SyncFolder(directory);
}

} // namespace platform
