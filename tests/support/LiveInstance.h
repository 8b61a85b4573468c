#pragma once

#include <QString>
#include <QtGlobal>

// Makes a process id count as a running instance for the instance table in `directory` while it lives, so
// that a test can register records of other instances beside its own.
class LiveInstance {
public:
    LiveInstance(const QString& directory, quint32 processId);
    ~LiveInstance();
    LiveInstance(const LiveInstance&) = delete;
    LiveInstance& operator=(const LiveInstance&) = delete;

private:
    int m_fd = -1;
};
