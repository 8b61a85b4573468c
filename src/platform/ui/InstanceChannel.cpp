#include "platform/ui/InstanceChannel.h"

#include "platform/UserName.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace platform {

namespace {

const QByteArray kCloseMessage = "close\n";

} // namespace

InstanceChannel::InstanceChannel(QString directory, QObject* parent)
    : QObject(parent), m_directory(std::move(directory)) {}

InstanceChannel::~InstanceChannel() {
    if (m_server)
        m_server->close();
}

QString InstanceChannel::SocketPath(quint32 pid) const {
    return m_directory + QStringLiteral("/nuv-%1-%2.sock").arg(GetUserName()).arg(pid);
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
            if (socket->canReadLine() && socket->readLine() == kCloseMessage)
                emit CloseRequested();
        });
    }
}

bool InstanceChannel::SendClose(quint32 pid) const {
    QLocalSocket socket;
    socket.connectToServer(SocketPath(pid));
    if (!socket.waitForConnected(500))
        return false;
    socket.write(kCloseMessage);
    const bool written = socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return written;
}

} // namespace platform
