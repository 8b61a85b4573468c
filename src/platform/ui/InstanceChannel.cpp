#include "platform/ui/InstanceChannel.h"

#include "platform/LivenessLock.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <fcntl.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

const QByteArray kCloseMessage = "close\n";
const QByteArray kActivateMessage = "activate\n";

} // namespace

InstanceChannel::InstanceChannel(const QString& directory, QObject* parent)
    : QObject(parent), m_path(directory),
      m_directory(open(QFile::encodeName(directory).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}

InstanceChannel::~InstanceChannel() {
    // A socket named through the folder's descriptor goes while that is still open.
    if (m_server)
        m_server->close();
    if (m_directory >= 0)
        close(m_directory);
}

QString InstanceChannel::SocketPath(quint32 pid) const {
    // A local socket's address holds about a hundred bytes with its terminator, less than a runtime folder's path may
    // take: a socket whose path does not fit is named through the folder's descriptor, which is short however long the
    // path (where /proc is mounted). Either name leads to the same file.
    const QString path = InstanceSocketPath(m_path, pid);
    if (QFile::encodeName(path).size() < static_cast<qsizetype>(sizeof(sockaddr_un::sun_path)))
        return path;
    return InstanceSocketPath(QStringLiteral("/proc/self/fd/%1").arg(m_directory), pid);
}

bool InstanceChannel::Listen() {
    const QString path = SocketPath(static_cast<quint32>(getpid()));
    // A socket under our own process id can only be left over by a dead process that had the same id.
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::OnNewConnection);
    return m_server->listen(path);
}

void InstanceChannel::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine();
            if (line == kCloseMessage)
                emit CloseRequested();
            else if (line == kActivateMessage)
                emit ActivateRequested();
        });
    }
}

bool InstanceChannel::SendClose(quint32 pid) const {
    return Send(pid, kCloseMessage);
}

bool InstanceChannel::SendActivate(quint32 pid) const {
    return Send(pid, kActivateMessage);
}

bool InstanceChannel::Send(quint32 pid, const QByteArray& message) const {
    QLocalSocket socket;
    socket.connectToServer(SocketPath(pid));
    if (!socket.waitForConnected(500))
        return false;
    socket.write(message);
    const bool written = socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return written;
}

} // namespace platform
