#include "platform/DocumentHold.h"

#include "platform/InstanceTable.h"
#include "platform/LivenessLock.h"
#include "platform/NamedLock.h"
#include "platform/RuntimeDirectory.h"
#include "platform/SharedMapping.h"

#include <QFileInfo>

#include <unistd.h>
#include <vector>

namespace platform {

QString CanonicalDocumentPath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

bool IsEditedByLiveInstance(const QString& path) {
    const QString canonicalPath = CanonicalDocumentPath(path);
    const QString directory = RuntimeDirectory();
    // Without the table no editor runs; asking must not make it.
    if (directory.isEmpty() || canonicalPath.isEmpty() ||
        !QFileInfo(directory + QLatin1Char('/') + kInstanceMappingName).isFile())
        return false;
    NamedLock mutex;
    SharedMapping mapping;
    if (!mutex.Open(directory, kInstanceMutexName) ||
        !mapping.Open(directory, kInstanceMappingName, sizeof(InstanceTable)))
        return false;
    std::vector<quint32> editors;
    {
        NamedLockGuard lock(mutex);
        const auto* table = static_cast<const InstanceTable*>(mapping.Data());
        for (int i = 0; i < table->UsedCount(); ++i) {
            const InstanceRecord& record = table->records[i];
            if (record.state == 1 && record.processId != static_cast<quint32>(getpid()) &&
                record.Path() == canonicalPath)
                editors.push_back(record.processId);
        }
    }
    // Asked after the table's lock is released, as the instances themselves do.
    for (quint32 processId : editors) {
        if (LivenessLock::IsAlive(directory, processId))
            return true;
    }
    return false;
}

} // namespace platform
