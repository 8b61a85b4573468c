#include "app/InstanceRegistry.h"

#include "app/ApplicationShell.h"
#include "platform/DocumentHold.h"
#include "platform/MessageBox.h"
#include "platform/ProcessStart.h"
#include "platform/RuntimeDirectory.h"
#include "texts/StringTable.h"

#include <QStringList>
#include <QThread>

#include <cstring>
#include <unistd.h>
#include <utility>

CInstanceRegistry::CInstanceRegistry(CApplicationShell& shell) : m_shell(shell) {}

quint32 CInstanceRegistry::CurrentProcessId() {
    return static_cast<quint32>(getpid());
}

bool CInstanceRegistry::IsOwnInstance(const InstanceRecord& record) {
    return record.processId == CurrentProcessId();
}

InstanceRecord CInstanceRegistry::EmptyRecord(quint32 processId) {
    InstanceRecord record;
    std::memset(&record, 0, sizeof(record));
    record.processId = processId;
    return record;
}

bool CInstanceRegistry::Open() {
    m_runtimeDirectory = platform::RuntimeDirectory();
    QString error;
    if (m_runtimeDirectory.isEmpty())
        error = QStringLiteral("XDG_RUNTIME_DIR");
    else if (!m_instanceMutex.Open(m_runtimeDirectory, kInstanceMutexName))
        error = m_instanceMutex.Error();
    else if (!m_instanceMapping.Open(m_runtimeDirectory, kInstanceMappingName, sizeof(InstanceTable)))
        error = m_instanceMapping.Error();
    else if (!m_liveness.emplace().Acquire(m_runtimeDirectory))
        error = m_liveness->Error();
    if (!error.isEmpty()) {
        // Without its liveness lock the process is none of the table's: it neither waits on the table nor takes a
        // record of a process of its id (in another pid namespace) as its own.
        m_liveness.reset();
        platform::ShowMessageBox(LoadString(StringId::InstanceTableUnavailable).arg(error),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    }

    // The table outlives its processes as a file. Records of processes that are gone are dropped, and a
    // table that no live process uses any more starts from zero, as a fresh mapping would; the last Exit's moment
    // stays for a process started before it that has not registered yet.
    platform::NamedLockGuard lock(m_instanceMutex);
    DropStaleInstances();
    platform::LivenessLock::RemoveLeftovers(m_runtimeDirectory);
    if (Table()->count == 0) {
        const uint32_t exitStamp = Table()->exitStamp;
        std::memset(Table(), 0, sizeof(InstanceTable));
        Table()->exitStamp = exitStamp;
    }
    return true;
}

void CInstanceRegistry::DropStaleInstances() {
    DropDeadInstances();
    // A record under our own id can only be a dead predecessor's that had the same id.
    while (Table()->Remove(CurrentProcessId())) {
    }
}

void CInstanceRegistry::DropDeadInstances() {
    const QString directory = m_runtimeDirectory;
    Table()->DropStale(
        [&directory](uint32_t processId) { return platform::LivenessLock::IsAlive(directory, processId); });
}

bool CInstanceRegistry::RegisterInstance(const InstanceRecord& record) {
    if (!HasInstanceTable())
        return false;
    platform::NamedLockGuard lock(m_instanceMutex);
    DropStaleInstances();
    InstanceRecord registered = record;
    // An Exit chosen since this process started, before its record was there to ask, asks it now.
    if (IsOwnInstance(record) && Table()->ExitChosenBetween(platform::ProgramStartTicks(), platform::ClockTicksNow()))
        registered.closeAsked = 1;
    return Table()->Register(registered);
}

std::optional<InstanceRecord> CInstanceRegistry::FindInstanceByPath(const QString& path) {
    if (!HasInstanceTable())
        return std::nullopt;
    platform::NamedLockGuard lock(m_instanceMutex);
    // An editor that was killed left its record: its document is nobody's now.
    DropDeadInstances();
    const QString& directory = m_runtimeDirectory;
    const InstanceRecord* found = Table()->FindOpen(
        [&](const InstanceRecord& record) { return platform::IsRecordDocument(directory, record, path); });
    return found ? std::optional<InstanceRecord>(*found) : std::nullopt;
}

bool CInstanceRegistry::UpdateInstanceRecord(quint32 processId, const InstanceRecord& record) {
    if (!HasInstanceTable())
        return false;
    platform::NamedLockGuard lock(m_instanceMutex);
    return Table()->Update(processId, record);
}

bool CInstanceRegistry::UpdateOwnInstanceRecord(const InstanceRecord& record, const QString& documentPath) {
    if (!HasInstanceTable())
        return false;
    platform::NamedLockGuard lock(m_instanceMutex);
    if (m_liveness)
        m_liveness->SetDocumentPath(documentPath);
    // What another instance's Exit asked stays until the start-up takes it.
    InstanceRecord published = record;
    if (const InstanceRecord* own = Table()->Find(CurrentProcessId()))
        published.closeAsked = own->closeAsked;
    return Table()->Update(CurrentProcessId(), published);
}

void CInstanceRegistry::ClearOwnInstanceRecord() {
    InstanceRecord record = EmptyRecord(CurrentProcessId());
    record.mainWindow = m_shell.MainWindowHandle();
    UpdateOwnInstanceRecord(record, QString());
}

bool CInstanceRegistry::RemoveInstanceRecord(quint32 processId) {
    if (!HasInstanceTable())
        return false;
    platform::NamedLockGuard lock(m_instanceMutex);
    return Table()->Remove(processId);
}

void CInstanceRegistry::Leave() {
    RemoveInstanceRecord(CurrentProcessId());
    m_liveness.reset();
}

void CInstanceRegistry::CloseOtherInstances() {
    if (!HasInstanceTable())
        return;
    std::vector<quint32> ready;
    uint32_t stamp = 0;
    {
        platform::NamedLockGuard lock(m_instanceMutex);
        DropDeadInstances();
        // An instance started before now and not yet registered finds this moment as it registers.
        stamp = Table()->exitStamp = platform::ClockTicksNow();
        for (int i = 0; i < Table()->UsedCount(); ++i) {
            InstanceRecord& record = Table()->records[i];
            if (record.processId == CurrentProcessId())
                continue;
            // An instance still starting has no window to ask yet: its record asks it, and it closes as soon as it has
            // one, however long its start takes, so that one started just before (a document opened in a new
            // instance, say) does not stay behind.
            if (record.mainWindow != 0)
                ready.push_back(record.processId);
            else
                record.closeAsked = 1;
        }
    }
    // Sent after the lock is released: no other process waits on the table while we talk to them.
    for (quint32 processId : ready)
        m_shell.PostCloseToInstance(processId);
    // A process started once the Exit is done starts at a later moment, and stays.
    while (platform::ClockTicksNow() == stamp)
        QThread::msleep(1);
}

bool CInstanceRegistry::TakeCloseAsked() {
    if (!HasInstanceTable())
        return false;
    platform::NamedLockGuard lock(m_instanceMutex);
    InstanceRecord* own = Table()->Find(CurrentProcessId());
    return own && std::exchange(own->closeAsked, 0u) != 0;
}

void CInstanceRegistry::LaunchNewInstance(const QString& path, int number) const {
    QStringList arguments;
    if (!path.isEmpty())
        arguments << QStringLiteral("/%1").arg(number) << QStringLiteral("/%1").arg(number) << path;
    m_shell.StartInstance(arguments);
}

std::vector<InstanceRecord> CInstanceRegistry::InstanceRecords() {
    if (!HasInstanceTable())
        return {};
    platform::NamedLockGuard lock(m_instanceMutex);
    DropDeadInstances();
    const InstanceTable& table = *Table();
    return {table.records, table.records + table.UsedCount()};
}

void CInstanceRegistry::ActivateInstanceWindow(int index) {
    if (!HasInstanceTable() || index < 0)
        return;
    quint32 processId = 0;
    {
        platform::NamedLockGuard lock(m_instanceMutex);
        if (index >= Table()->UsedCount() || Table()->records[index].mainWindow == 0)
            return;
        processId = Table()->records[index].processId;
    }
    // Asked after the lock is released: the other process may be reading the table itself.
    m_shell.ActivateInstance(processId);
}

bool CInstanceRegistry::ActivateHolder(const QString& path) {
    const std::optional<InstanceRecord> holder = FindInstanceByPath(path);
    if (!holder || holder->processId == CurrentProcessId())
        return false;
    m_shell.ActivateInstance(holder->processId);
    return true;
}
