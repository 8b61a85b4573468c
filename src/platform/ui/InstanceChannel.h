#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;

namespace platform {

// The message line between running instances, in place of window messages posted to another process's
// main window: each process listens on a local socket in the runtime folder named from the user and its process id,
// which only the user may reach, and another process asks it to close or to come to the front by sending one line.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    // The sockets are in `directory`, the runtime folder.
    explicit InstanceChannel(const QString& directory, QObject* parent = nullptr);
    ~InstanceChannel() override;

    // Starts listening as the current process; false when the socket cannot be made.
    bool Listen();

    // Asks the process `pid` to close. Does not wait for the other process to act; false when it cannot
    // be reached.
    bool SendClose(quint32 pid) const;
    // Asks the process `pid` to bring its main window to the front, likewise.
    bool SendActivate(quint32 pid) const;

signals:
    void CloseRequested();
    void ActivateRequested();

private:
    bool Send(quint32 pid, const QByteArray& message) const;
    QString SocketPath(quint32 pid) const;
    void OnNewConnection();

    QString m_path;  // the folder
    int m_directory; // the folder open as a path, -1 when it cannot be opened
    QLocalServer* m_server = nullptr;
};

} // namespace platform
