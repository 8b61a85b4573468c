#include "app/SavingRules.h"

#include "app/NUVApp.h"
#include "model/DocumentData.h"
#include "model/DocumentDataHelpers.h"
#include "model/FileUtilities.h"
#include "texts/StringTable.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <limits>

QString ComposeWindowTitle(const QString& path, int openMode, const CDocumentData& data, const QString& templateName) {
    if (path.isEmpty())
        return data.registry.origin ? templateName : QString();
    const QString fileName = QFileInfo(path).fileName();
    switch (openMode) {
    case CNUVApp::ReadOnly:
        return fileName + LoadString(StringId::TitleReadOnly);
    case CNUVApp::ReadOnlyWatched:
        return fileName + LoadString(StringId::TitleWatched);
    case CNUVApp::StoredVersion:
        return fileName + LoadString(StringId::TitleStoredVersion).arg(FormatVersionEntryNumber(data));
    default:
        return fileName;
    }
}

ProposedVersion ProposeVersionNumber(const CDocumentData& data) {
    ProposedVersion version;
    if (!data.versionHistory.empty()) {
        const QString& label = data.versionHistory.back().label;
        const qsizetype dot = label.indexOf(u'.');
        version.major = label.left(dot).trimmed().toInt();
        version.minor = dot < 0 ? 0 : label.mid(dot + 1).trimmed().toInt();
    }
    const VersionControlSettings& options = data.VersionControlTable;
    if (options.IsUpdateMinor)
        ++version.minor;
    if (!((options.IsUpdateMinor || !options.IsUpdateMajor) && version.minor <= 99)) {
        ++version.major;
        version.minor = 0;
    }
    if (version.major > 9999)
        version.major = 0;
    return version;
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
