#pragma once

#include <QString>

namespace platform {

// A lock that all processes of the user share by name, in place of a named mutex: an exclusive flock on
// a file in the runtime directory. The kernel releases it when its holder dies, so it is never left taken.
class NamedLock {
public:
    NamedLock() = default;
    ~NamedLock();
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

    // Creates or opens the lock file "<directory>/<name>.lock"; false (with Error() set) when that fails.
    bool Open(const QString& directory, const QString& name);
    bool IsOpen() const { return m_fd >= 0; }
    QString Error() const { return m_error; }

    // Waits without a time-out, as the instance table's operations do.
    void Lock();
    void Unlock();

private:
    int m_fd = -1;
    QString m_error;
};

// Takes the exclusive flock on the open file `fd`, trying again while another holds it, for at most `waitMilliseconds`;
// false, with errno set (EWOULDBLOCK once the time has run out), when it cannot.
bool LockExclusivelyWithin(int fd, int waitMilliseconds);

// Holds a NamedLock for one scope.
class NamedLockGuard {
public:
    explicit NamedLockGuard(NamedLock& lock) : m_lock(lock) { m_lock.Lock(); }
    ~NamedLockGuard() { m_lock.Unlock(); }
    NamedLockGuard(const NamedLockGuard&) = delete;
    NamedLockGuard& operator=(const NamedLockGuard&) = delete;

private:
    NamedLock& m_lock;
};

} // namespace platform
