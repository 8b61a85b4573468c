#include "platform/DocumentHold.h"

#include "platform/DocumentFileLock.h"
#include "platform/InstanceTable.h"
#include "platform/LivenessLock.h"
#include "platform/NamedLock.h"
#include "platform/OwnerFile.h"
#include "platform/RuntimeDirectory.h"
#include "platform/SharedMapping.h"
#include "platform/UserName.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {

namespace {

// The document of a running editor other than this process that is the file at `path` (canonical): where that
// editor has it.
std::optional<QString> LiveEditorDocument(const QString& path) {
    const QString directory = RuntimeDirectory();
    // Without the table no editor runs; asking must not make it.
    if (directory.isEmpty() || path.isEmpty() ||
        !QFileInfo(directory + QLatin1Char('/') + kInstanceMappingName).isFile())
        return std::nullopt;
    NamedLock mutex;
    SharedMapping mapping;
    if (!mutex.Open(directory, kInstanceMutexName) ||
        !mapping.Open(directory, kInstanceMappingName, sizeof(InstanceTable)))
        return std::nullopt;
    std::vector<std::pair<quint32, QString>> editors;
    {
        NamedLockGuard lock(mutex);
        const auto* table = static_cast<const InstanceTable*>(mapping.Data());
        for (int i = 0; i < table->UsedCount(); ++i) {
            const InstanceRecord& record = table->records[i];
            if (record.state == 1 && record.processId != static_cast<quint32>(getpid()) &&
                IsRecordDocument(directory, record, path))
                editors.emplace_back(record.processId, RecordDocumentPath(directory, record));
        }
    }
    // Asked after the table's lock is released, as the instances themselves do.
    for (const auto& [processId, document] : editors) {
        if (LivenessLock::IsAlive(directory, processId))
            return document;
    }
    return std::nullopt;
}

// Who holds the document at `path`: the name in its owner file, else the user and process holding its lock.
QString HolderName(const QString& path) {
    if (std::optional<QString> owner = ReadOwnerName(path))
        return *owner;
    if (const std::optional<DocumentFileLock::Holder> holder = DocumentFileLock::HolderOf(path))
        return QStringLiteral("%1 (PID %2)").arg(GetUserNameOf(holder->userId)).arg(holder->processId);
    return ReadOwnerFile(path);
}

} // namespace

bool IsSameFile(const QString& first, const QString& second) {
    struct stat one {};
    struct stat other {};
    return stat(QFile::encodeName(first).constData(), &one) == 0 &&
           stat(QFile::encodeName(second).constData(), &other) == 0 && one.st_dev == other.st_dev &&
           one.st_ino == other.st_ino;
}

QString CanonicalDocumentPath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

QString RecordDocumentPath(const QString& directory, const InstanceRecord& record) {
    const QString kept = record.Path();
    if (kept.size() < kInstancePathLength - 1)
        return kept;
    // The whole path only when it is the one the record was cut from: the two are written together.
    const QString whole = LivenessLock::DocumentPath(directory, record.processId);
    return whole.startsWith(kept) ? whole : kept;
}

bool IsRecordDocument(const QString& directory, const InstanceRecord& record, const QString& path) {
    if (path.isEmpty() || record.path[0] == 0)
        return false;
    const QString document = RecordDocumentPath(directory, record);
    return document == path || IsSameFile(document, path);
}

std::optional<QString> DocumentHolder(const QString& path, const DocumentFileLock* ownHold) {
    const QString canonicalPath = CanonicalDocumentPath(path);
    if (const std::optional<QString> document = LiveEditorDocument(canonicalPath))
        return HolderName(*document);
    // The lock also tells of holders the table does not: this process's own hold of the file (whose lock the
    // probe cannot take either) counts unless the write is the one that hold is for.
    const bool ownWrite = ownHold && ownHold->HoldsFile(canonicalPath);
    if (!ownWrite && DocumentFileLock::IsHeldElsewhere(canonicalPath))
        return HolderName(canonicalPath);
    return std::nullopt;
}

} // namespace platform
