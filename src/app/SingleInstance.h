#pragma once

#include <QHash>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <optional>

class QLocalSocket;

// The running instance's waits, with the production values; tests shorten them.
struct SingleInstanceTiming
{
    // How long one connection may stay open; a later start writes its line at once.
    std::chrono::milliseconds connectionLimit = std::chrono::seconds(3);
    // How often the running instance makes sure later starts can still reach it.
    std::chrono::milliseconds listeningCheck = std::chrono::seconds(10);
};

// Keeps one Tarnhold running per user. A later start hands its URL, or a
// request to come to the front, to the running instance over a local socket
// and exits. One message is one UTF-8 line: the encoded URL, or an empty
// line for activation.
class SingleInstance final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstance)

public:
    explicit SingleInstance(SingleInstanceTiming timing = {}, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Derived from the home folder, so every user (and every test with its
    // own HOME) has a name of its own.
    static QString serverName();

    // Delivers url, or an activation request when it is absent, to the
    // instance already running for this user. Waits a second at most; false
    // when no instance took the message. Needs no application object.
    static bool sendToRunningInstance(const std::optional<QUrl> &url);

    // Becomes the running instance and starts receiving messages from later
    // starts. False when another live instance holds that place, however
    // slow it is to answer, or the socket cannot be created (then it is
    // retried).
    bool listen();

    // Listens again when the socket stopped working: Qt closes it for good
    // when accepting fails (out of descriptors), and temporary-file cleaners
    // may delete its file. Runs by itself every listeningCheck.
    void ensureListening();

Q_SIGNALS:
    void urlReceived(const QUrl &url);
    void activationRequested();

private:
    struct Connection
    {
        int messages = 0;
        bool activated = false;
    };

    void serveWaiting();
    void serve(QLocalSocket *socket);
    void readMessages(QLocalSocket *socket);
    void finish(QLocalSocket *socket);

    // Declared before the server, so the socket file is gone before the
    // lock lets another instance take the name.
    QLockFile m_lock;
    QLocalServer m_server;
    QTimer m_listeningCheck;
    std::chrono::milliseconds m_connectionLimit;
    QHash<QLocalSocket *, Connection> m_connections;
};
