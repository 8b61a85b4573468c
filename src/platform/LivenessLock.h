#pragma once

#include <QString>

namespace platform {

// Tells whether a process that registered in a shared table still runs. Each process holds an exclusive
// flock on "<directory>/nuv-alive-<pid>" for its whole life; the kernel drops it when the process ends,
// however it ends, so a record whose lock can be taken belongs to a process that is gone. Unlike a test of
// the process id this is not fooled by a reused id.
// The local socket on which the process `pid` takes messages from other instances.
QString InstanceSocketPath(const QString& directory, quint32 pid);

// Whether a process of this id exists on this machine (it may be another program that has reused the id).
bool ProcessExists(quint32 pid);

class LivenessLock {
public:
    LivenessLock() = default;
    ~LivenessLock();
    LivenessLock(const LivenessLock&) = delete;
    LivenessLock& operator=(const LivenessLock&) = delete;

    // Takes the current process's lock; false (with Error() set) when it cannot.
    bool Acquire(const QString& directory);
    QString Error() const { return m_error; }
    // The lock file also names the process's document whole (empty for none), which the instance table keeps cut.
    // Written and read under the table's lock.
    bool SetDocumentPath(const QString& path);
    static QString DocumentPath(const QString& directory, quint32 pid);

    // True while the process `pid` holds its lock. A dead process's lock file and message socket are removed.
    static bool IsAlive(const QString& directory, quint32 pid);

    // Removes the lock files and message sockets that processes which no longer exist left in `directory`
    // (a killed process removes neither). A reused id keeps its files until that process is gone as well.
    static void RemoveLeftovers(const QString& directory);

private:
    int m_fd = -1;
    QString m_path;
    QString m_error;
};

} // namespace platform
