#include "app/SingleInstance.h"

#include "app/InstanceMessage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

namespace {

// Long enough for a running instance whose GUI thread is momentarily busy;
// the kernel accepts the connection and buffers the line for it anyway.
constexpr int transferTimeoutMs = 1000;

QString socketPath()
{
    return QDir::cleanPath(QDir::tempPath()) + u'/' + SingleInstance::serverName();
}

} // namespace

SingleInstance::SingleInstance(QObject *parent)
    : QObject(parent)
    , m_lock(socketPath() + QStringLiteral(".lock"))
{
    // Only a lock holder that has died leaves the lock to others, never a
    // slow one.
    m_lock.setStaleLockTime(0);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
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
    // The lock, not an answer on the socket, tells whether an instance runs:
    // one whose GUI thread is busy, or whose listening queue is full, cannot
    // answer yet still owns the name. Once the lock is ours, any socket file
    // left under the name is a dead instance's, and listening replaces it.
    if (!m_lock.isLocked() && !m_lock.tryLock(0))
        return false;
    return m_server.isListening() || m_server.listen(serverName());
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
