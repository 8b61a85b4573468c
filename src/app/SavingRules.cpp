#include "app/SavingRules.h"

#include "app/OpenDocument.h"
#include "model/DocumentData.h"
#include "model/DocumentDataHelpers.h"
#include "model/FileUtilities.h"
#include "platform/UserName.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <limits>
#include <sys/stat.h>

QString ComposeWindowTitle(const QString& path, int openMode, const CDocumentData& data, const QString& templateName) {
    if (path.isEmpty())
        return data.registry.origin ? templateName : QString();
    const QString fileName = QFileInfo(path).fileName();
    switch (openMode) {
    case COpenDocument::ReadOnly:
        return fileName + LoadString(StringId::TitleReadOnly);
    case COpenDocument::ReadOnlyWatched:
        return fileName + LoadString(StringId::TitleWatched);
    case COpenDocument::StoredVersion:
        return fileName + LoadString(StringId::TitleStoredVersion).arg(FormatVersionEntryNumber(data));
    default:
        return fileName;
    }
}

ProposedVersion ProposeVersionNumber(const CDocumentData& data) {
    // A label comes from the file and may hold any number: the steps are taken in a wider type, and what
    // leaves the ranges (minor past 99, major past 9999) starts again as the rules say.
    qint64 major = 0;
    qint64 minor = 0;
    if (!data.versionHistory.empty()) {
        const QString& label = data.versionHistory.back().label;
        const qsizetype dot = label.indexOf(u'.');
        major = label.left(dot).trimmed().toInt();
        minor = dot < 0 ? 0 : label.mid(dot + 1).trimmed().toInt();
    }
    const VersionControlSettings& options = data.VersionControlTable;
    if (options.IsUpdateMinor)
        ++minor;
    if (!((options.IsUpdateMinor || !options.IsUpdateMajor) && minor <= kMaxVersionMinor)) {
        ++major;
        minor = 0;
    }
    if (major > kMaxVersionMajor)
        major = 0;
    return {static_cast<int>(major), static_cast<int>(minor)};
}

VersionHistoryEntry MakeVersionEntry(const ProposedVersion& version, const QDateTime& now) {
    VersionHistoryEntry entry;
    entry.Major = std::clamp(version.major, 0, kMaxVersionMajor);
    entry.Minor = std::clamp(version.minor, 0, kMaxVersionMinor);
    entry.Time = now.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    entry.Author = platform::GetUserName();
    return entry;
}

QString MakeProposedSaveName(const QString& title, const QString& extension) {
    QString name = title;
    const qsizetype cut = name.indexOf(QRegularExpression(QStringLiteral("[:/\\\\]")));
    if (cut >= 0)
        name.truncate(cut);
    name = SanitizeFileName(name);
    if (!name.toLower().endsWith(extension.toLower()))
        name += extension;
    return name;
}

int AutoSaveTimerInterval(const CDocumentData& data) {
    constexpr int kMinute = 60000;
    // No interval means no timer: a zero-length one would save without pause.
    if (!data.AutoSaveOnOff || data.AutoSaveInterval <= 0)
        return 0;
    if (data.AutoSaveInterval > std::numeric_limits<int>::max() / kMinute)
        return std::numeric_limits<int>::max();
    return data.AutoSaveInterval * kMinute;
}

DocumentFileIdentity ReadFileIdentity(const QString& path, int fd) {
    const qint64 taken = platform::FileReplacement::Now();
    const QByteArray name = QFile::encodeName(path);
    struct stat entry {};
    if (lstat(name.constData(), &entry) != 0)
        return {};
    const bool link = S_ISLNK(entry.st_mode);
    struct stat info {};
    if (fd >= 0 ? fstat(fd, &info) != 0 : stat(name.constData(), &info) != 0) {
        DocumentFileIdentity dangling;
        dangling.link = link;
        return dangling;
    }
    return FileIdentity(platform::FileReplacement::StateOf(info, taken), link, std::nullopt);
}

DocumentFileIdentity FileIdentity(const platform::FileReplacement::FileState& state, bool link,
                                  std::optional<quint64> digest) {
    if (!state.file.exists)
        return {};
    return {true,          state.file.device, state.file.inode, state.size, state.modified,
            state.changed, state.taken,       digest,           link};
}

platform::FileReplacement::FileState FileStateOf(const DocumentFileIdentity& identity) {
    return {{identity.known, identity.device, identity.inode},
            identity.size,
            identity.modified,
            identity.changed,
            identity.taken};
}

bool StatusChangedAlone(const DocumentFileIdentity& known, const DocumentFileIdentity& now) {
    return known.known && now.known && now.link == known.link && now.device == known.device &&
           now.inode == known.inode && now.size == known.size && now.modified == known.modified &&
           now.changed != known.changed;
}

FileIdentityChange CompareFileIdentity(const DocumentFileIdentity& known, const DocumentFileIdentity& now,
                                       bool stillNamed) {
    if (!known.known)
        return FileIdentityChange::None;
    // A link where there was none is never followed: whatever it leads to is not the document's file.
    if (now.link && !known.link)
        return FileIdentityChange::ReplacedByLink;
    if (!now.known)
        return stillNamed && !now.link ? FileIdentityChange::Moved : FileIdentityChange::Deleted;
    if (StatusChangedAlone(known, now))
        return known.digest && now.digest == known.digest ? FileIdentityChange::None : FileIdentityChange::Changed;
    if (now.link != known.link || now.device != known.device || now.inode != known.inode || now.size != known.size ||
        now.modified != known.modified)
        return FileIdentityChange::Changed;
    return FileIdentityChange::None;
}

QString FileIdentityChangeText(FileIdentityChange change, const QString& path) {
    switch (change) {
    case FileIdentityChange::Changed:
        return LoadString(StringId::FileChangedSinceRead).arg(ShownPath(path));
    case FileIdentityChange::Deleted:
        return LoadString(StringId::FileDeletedSinceRead).arg(ShownPath(path));
    case FileIdentityChange::Moved:
        return LoadString(StringId::FileMovedSinceRead).arg(ShownPath(path));
    case FileIdentityChange::ReplacedByLink:
        return LoadString(StringId::FileLinkedSinceRead).arg(ShownPath(path));
    case FileIdentityChange::None:
        break;
    }
    return QString();
}
