#pragma once

#include "platform/HookInstaller.h"

#include <QString>

namespace platform {

// The local socket on which the process `pid` takes messages from other instances.
QString InstanceSocketPath(const QString& directory, quint32 pid);

// Whether a process of this id exists on this machine (it may be another program that has reused the id). One that
// has ended and only waits for its parent to take its exit status (a zombie) is gone.
bool ProcessExists(quint32 pid);

// Told of the moments between the steps of making and of removing a lock file, when another process may come
// between, so that a test can come between.
class LivenessLockHook {
public:
    virtual ~LivenessLockHook() = default;
    // The lock file is open and about to be locked by the process it is for.
    virtual void Locking() {}
    // A look found the lock file unlocked and is about to remove it.
    virtual void Removing() {}
};

class LivenessLockHookInstaller : public HookInstaller<LivenessLockHook> {
public:
    explicit LivenessLockHookInstaller(LivenessLockHook& hook);
};

// Tells whether a process that registered in a shared table still runs. Each process holds an exclusive
// flock on "<directory>/nuv-alive-<pid>" for its whole life; the kernel drops it when the process ends,
// however it ends, so a record whose lock can be taken belongs to a process that is gone. Unlike a test of
// the process id this is not fooled by a reused id.
// A lock file is removed only by the holder of its exclusive lock, and only while its name still leads to the file
// locked; a process that takes its lock makes sure afterwards that its name leads to the file it locked, else it
// takes a new one. So a look at a dead process of the same id, between the making of a new lock file and its lock,
// never takes the file away from the process that makes it.
class LivenessLock {
public:
    LivenessLock() = default;
    ~LivenessLock();
    LivenessLock(const LivenessLock&) = delete;
    LivenessLock& operator=(const LivenessLock&) = delete;

    // Takes the current process's lock, waiting a short bounded time while a look at a process of the same id holds
    // the file for a moment; false (with Error() set) when it cannot, also when another holds it longer.
    bool Acquire(const QString& directory);
    QString Error() const { return m_error; }
    // The lock file also names the process's document whole (empty for none), which the instance table keeps cut.
    // Written and read under the table's lock.
    bool SetDocumentPath(const QString& path);
    static QString DocumentPath(const QString& directory, quint32 pid);

    // True while the process `pid` holds its lock. A dead process's lock file and message socket are removed.
    static bool IsAlive(const QString& directory, quint32 pid);

    // Removes the lock files and message sockets that processes which no longer exist left in `directory`
    // (a killed process removes neither). A reused id keeps its files until that process is gone as well, and a lock
    // file that is held stays.
    static void RemoveLeftovers(const QString& directory);

private:
    int m_fd = -1;
    QString m_path;
    QString m_error;
};

} // namespace platform
