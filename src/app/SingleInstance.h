#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

class QLocalSocket;

// Keeps one Tarnhold running per user. A later start hands its URL, or a
// request to come to the front, to the running instance over a local socket
// and exits. One message is one UTF-8 line: the encoded URL, or an empty
// line for activation.
class SingleInstance final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstance)

public:
    explicit SingleInstance(QObject *parent = nullptr);
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
    // slow it is to answer, or the socket cannot be created.
    bool listen();

Q_SIGNALS:
    void urlReceived(const QUrl &url);
    void activationRequested();

private:
    void acceptConnections();
    void readMessages(QLocalSocket &socket);

    // Declared before the server, so the socket file is gone before the
    // lock lets another instance take the name.
    QLockFile m_lock;
    QLocalServer m_server;
};
