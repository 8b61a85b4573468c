#include "interchange/VersionManager.h"

#include "model/DocumentData.h"
#include "model/DocumentDataHelpers.h"
#include "model/DocumentFile.h"
#include "texts/StringTable.h"

std::vector<QStringList> CVersionManager::Rows(const CDocumentData& data) {
    std::vector<QStringList> rows;
    for (const StoredVersion& version : data.versionHistory)
        rows.push_back({version.label, version.time, version.author, version.comment});
    return rows;
}

bool CVersionManager::CanStoreVersion(const CDocumentData& data, QString* refusal) {
    QString reason;
    if (data.versionHistory.size() >= static_cast<std::size_t>(CDocumentData::MaxStoredVersions))
        reason = LoadString(StringId::TooManyVersions).arg(CDocumentData::MaxStoredVersions);
    else if (!HasFreeVersionNumber(data))
        reason = LoadString(StringId::NoFreeVersionNumber);
    if (refusal)
        *refusal = reason;
    return reason.isEmpty();
}

bool CVersionManager::Remove(CDocumentData& data, int index) {
    if (index < 0 || index >= static_cast<int>(data.versionHistory.size()))
        return false;
    RemoveVersionEntry(data, index);
    return true;
}

std::optional<int> CVersionManager::OpenableVersion(const CDocumentData& data, const QString& path, int index) {
    if (path.isEmpty() || index < 0 || index >= static_cast<int>(data.versionHistory.size()))
        return std::nullopt;
    return data.versionHistory[static_cast<size_t>(index)].number;
}

bool CVersionManager::SetVersionOptions(CDocumentData& data, const VersionControlSettings& options) {
    if (data.VersionControlTable == options)
        return false;
    data.VersionControlTable = options;
    return true;
}
