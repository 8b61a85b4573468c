#include "app/SavingRules.h"

#include "app/OpenDocument.h"
#include "model/DocumentData.h"
#include "model/DocumentDataHelpers.h"
#include "model/FileUtilities.h"
#include "platform/UserName.h"
#include "texts/StringTable.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <limits>

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
