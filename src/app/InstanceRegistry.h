#pragma once

#include "platform/InstanceTable.h"
#include "platform/LivenessLock.h"
#include "platform/NamedLock.h"
#include "platform/SharedMapping.h"

#include <QString>

#include <optional>
#include <vector>

class CApplicationShell;

// This process's place in the table of running instances that all processes of the program share: it opens
// the table, keeps this process's record and reaches the other instances through the shell.
class CInstanceRegistry {
public:
    explicit CInstanceRegistry(CApplicationShell& shell);
    CInstanceRegistry(const CInstanceRegistry&) = delete;
    CInstanceRegistry& operator=(const CInstanceRegistry&) = delete;

    // Creates or opens the lock, the table and this process's liveness lock; false with a message when
    // one of them cannot be made.
    bool Open();

    // Adds the record to the table; this process's own is asked to close (closeAsked) when another instance's Exit was
    // chosen since the process started.
    bool RegisterInstance(const InstanceRecord& record);
    // The record of a running process that has the document open; a record that a process which is gone left is
    // removed instead of found.
    std::optional<InstanceRecord> FindInstanceByPath(const QString& path);
    bool UpdateInstanceRecord(quint32 processId, const InstanceRecord& record);
    // This process's record, which keeps `documentPath` cut, and the whole path beside it (see
    // platform::RecordDocumentPath); a request to close that another instance's Exit left in it stays.
    bool UpdateOwnInstanceRecord(const InstanceRecord& record, const QString& documentPath);
    // This process's record without a document; its window stays within reach of the other instances' Exit.
    void ClearOwnInstanceRecord();
    bool RemoveInstanceRecord(quint32 processId);
    // Takes this process out of the table for good: its record and its liveness lock go.
    void Leave();
    // Asks every other instance to close without waiting for any: one still starting, through its record; one started
    // before and not registered yet, through the moment of the Exit that the table keeps.
    void CloseOtherInstances();
    // Whether another instance's Exit asked this one to close while it was starting; the request is taken.
    bool TakeCloseAsked();
    // Starts another process of the program; with a path it opens that document (or stored version `number`).
    void LaunchNewInstance(const QString& path, int number) const;
    // The records of running processes, in the table's order; empty without the table.
    std::vector<InstanceRecord> InstanceRecords();
    // Brings the window of the instance at `index` of the table to the front; nothing for an index beyond the
    // count or an instance without a window.
    void ActivateInstanceWindow(int index);
    // Brings the window of another process that has `path` (canonical) open, under this or another name, to the
    // front; false when none has it.
    bool ActivateHolder(const QString& path);

    static quint32 CurrentProcessId();
    // Whether the record is this process's own.
    static bool IsOwnInstance(const InstanceRecord& record);
    // A record of `processId` without a document or window.
    static InstanceRecord EmptyRecord(quint32 processId);

private:
    InstanceTable* Table() const { return static_cast<InstanceTable*>(m_instanceMapping.Data()); }
    bool HasInstanceTable() const { return m_liveness && m_instanceMutex.IsOpen() && Table(); }
    // Removes the records of processes that are gone (killed without leaving the table): under the table's lock.
    void DropDeadInstances();
    // That, and any record under this process's id before it registers.
    void DropStaleInstances();

    CApplicationShell& m_shell;
    QString m_runtimeDirectory;
    platform::NamedLock m_instanceMutex;
    platform::SharedMapping m_instanceMapping;
    std::optional<platform::LivenessLock> m_liveness;
};
