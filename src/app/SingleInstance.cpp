#include "app/SingleInstance.h"

#include "app/InstanceMessage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

namespace {

// Long enough for a running instance whose GUI thread is momentarily busy;
// the kernel accepts the connection and buffers the line for it anyway.
constexpr int transferTimeoutMs = 1000;

} // namespace

SingleInstance::SingleInstance(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName()
{
    const QByteArray digest = QCryptographicHash::hash(QDir::homePath().toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("tarnhold-") + QString::fromLatin1(digest.toHex().left(16));
}

bool SingleInstance::sendToRunningInstance(const std::optional<QUrl> &url)
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(transferTimeoutMs))
        return false;
    socket.write(encodeInstanceMessage({url}));
    const bool written = socket.waitForBytesWritten(transferTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(transferTimeoutMs);
    return written;
}

bool SingleInstance::listen()
{
    const QString name = serverName();
    {
        // Only a live instance answers. A socket file that nobody answers on
        // was left behind by one that crashed and must not block this start.
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(transferTimeoutMs))
            return false;
    }
    QLocalServer::removeServer(name);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    return m_server.listen(name);
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessages(*socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A short-lived sender may have written and gone before the signals
        // were connected.
        readMessages(*socket);
    }
}

void SingleInstance::readMessages(QLocalSocket &socket)
{
    while (socket.canReadLine()) {
        const std::optional<InstanceMessage> message = parseInstanceMessage(socket.readLine().chopped(1));
        if (!message)
            continue;
        if (message->url)
            Q_EMIT urlReceived(*message->url);
        else
            Q_EMIT activationRequested();
    }
    if (socket.bytesAvailable() > maximumInstanceMessageLength)
        socket.abort();
}
