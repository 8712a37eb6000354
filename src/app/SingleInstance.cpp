#include "app/SingleInstance.h"

#include "app/InstanceMessage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

namespace {

// Long enough for a running instance whose GUI thread is momentarily busy;
// the kernel accepts the connection and buffers the line for it anyway.
constexpr int transferTimeoutMs = 1000;

// Connections served at once. Later ones wait in the kernel's listening
// queue, which costs no descriptor, until a served one ends or times out.
constexpr qsizetype maximumConnections = 8;

// Tarnhold sends one line per connection; a peer that keeps sending is cut
// off, so a flood costs a few lines of work.
constexpr int maximumMessagesPerConnection = 16;

QString socketPath()
{
    return QDir::cleanPath(QDir::tempPath()) + u'/' + SingleInstance::serverName();
}

} // namespace

SingleInstance::SingleInstance(SingleInstanceTiming timing, QObject *parent)
    : QObject(parent)
    , m_lock(socketPath() + QStringLiteral(".lock"))
    , m_connectionLimit(timing.connectionLimit)
{
    // Only a lock holder that has died leaves the lock to others, never a
    // slow one.
    m_lock.setStaleLockTime(0);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    // Qt accepts while fewer than this wait for serveWaiting, so waiting
    // connections hold few descriptors.
    m_server.setMaxPendingConnections(1);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::serveWaiting);
    m_listeningCheck.setInterval(timing.listeningCheck);
    connect(&m_listeningCheck, &QTimer::timeout, this, &SingleInstance::ensureListening);
}

SingleInstance::~SingleInstance()
{
    // The server deletes the sockets it parents after this body; none may
    // call back into a half-destroyed instance.
    for (auto it = m_connections.cbegin(); it != m_connections.cend(); ++it)
        it.key()->disconnect(this);
}

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
    m_listeningCheck.start();
    ensureListening();
    return m_server.isListening();
}

void SingleInstance::ensureListening()
{
    if (!m_lock.isLocked() || (m_server.isListening() && QFileInfo::exists(m_server.fullServerName())))
        return;
    m_server.close();
    m_server.listen(serverName());
}

void SingleInstance::serveWaiting()
{
    while (m_connections.size() < maximumConnections) {
        QLocalSocket *socket = m_server.nextPendingConnection();
        if (!socket)
            return;
        serve(socket);
    }
}

void SingleInstance::serve(QLocalSocket *socket)
{
    m_connections.insert(socket, {});
    auto *limit = new QTimer(socket);
    limit->setSingleShot(true);
    connect(limit, &QTimer::timeout, this, [this, socket] { finish(socket); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessages(socket); });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] { finish(socket); });
    limit->start(m_connectionLimit);
    // A short-lived sender may have written and gone while it waited.
    readMessages(socket);
    if (socket->state() == QLocalSocket::UnconnectedState)
        finish(socket);
}

void SingleInstance::readMessages(QLocalSocket *socket)
{
    const auto connection = m_connections.find(socket);
    if (connection == m_connections.end())
        return;
    QList<QUrl> urls;
    bool activate = false;
    while (connection->messages < maximumMessagesPerConnection && socket->canReadLine()) {
        ++connection->messages;
        const std::optional<InstanceMessage> message = parseInstanceMessage(socket->readLine().chopped(1));
        if (message && message->url)
            urls.append(*message->url);
        else if (message && !connection->activated)
            activate = connection->activated = true;
    }
    if (connection->messages >= maximumMessagesPerConnection
        || (!socket->canReadLine() && socket->bytesAvailable() > maximumInstanceMessageLength))
        finish(socket);
    // Signalled last: a receiver may do anything, this object's state is settled.
    for (const QUrl &url : std::as_const(urls))
        Q_EMIT urlReceived(url);
    if (activate)
        Q_EMIT activationRequested();
}

void SingleInstance::finish(QLocalSocket *socket)
{
    if (!m_connections.remove(socket))
        return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    // A descriptor is free again: the server may have stopped for want of
    // one, and a waiting connection may be served.
    ensureListening();
    serveWaiting();
}
