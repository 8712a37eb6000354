#pragma once

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>
#include <optional>

// A session bus of the test's own, so nothing reaches the user's desktop;
// DBUS_SESSION_BUS_ADDRESS names it from then on, for the children a test
// starts. It reads no service files, so a name nobody owns is never started
// on demand, whatever desktop the machine has.
//
// The test plays one desktop service on it: serve() owns the name through a
// connection of its own, records every call to the object in `calls` and
// answers each as `answer` says, or holds it unanswered in `held`.
class PrivateBus final : public QDBusVirtualObject
{
public:
    using Answer = std::function<std::optional<QDBusMessage>(const QDBusMessage &call)>;

    QList<QDBusMessage> calls;
    QList<QDBusMessage> held;

    PrivateBus()
    {
        const QString config = m_folder.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        // Without both eavesdrop rules Qt D-Bus connections abort or lose messages.
        file.write(QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen><auth>EXTERNAL</auth>"
                                  "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                  "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                       .arg(m_folder.path().toHtmlEscaped())
                       .toUtf8());
        file.close();
        // The daemon prints its address once it listens.
        m_daemon.setStandardInputFile(QProcess::nullDevice());
        m_daemon.setStandardErrorFile(QProcess::nullDevice());
        m_daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + config,
                                                       QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(5000)) {
        }
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        // Without a daemon, an address where none listens still keeps the
        // test away from the user's own bus; so does this one once the daemon
        // is gone.
        EXPECT_FALSE(m_address.isEmpty()) << "dbus-daemon did not start";
        if (m_address.isEmpty())
            m_address = QStringLiteral("unix:path=") + m_folder.filePath(QStringLiteral("no-daemon"));
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
    }

    ~PrivateBus() override
    {
        const QString name = m_service.name();
        m_service = QDBusConnection(QString());
        QDBusConnection::disconnectFromBus(name);
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    Q_DISABLE_COPY_MOVE(PrivateBus)

    QString address() const { return m_address; }

    void serve(const QString &name, const QString &path, Answer answer)
    {
        m_answer = std::move(answer);
        m_service = QDBusConnection::connectToBus(m_address, QStringLiteral("service ") + name);
        EXPECT_TRUE(m_service.registerVirtualObject(path, this)) << path.toStdString();
        EXPECT_TRUE(m_service.registerService(name)) << name.toStdString();
    }

    // Sends a late reply or a signal from the service.
    void send(const QDBusMessage &message) { EXPECT_TRUE(m_service.send(message)); }

    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &) override
    {
        calls.append(message);
        if (const std::optional<QDBusMessage> reply = m_answer(message))
            send(*reply);
        else
            held.append(message);
        return true;
    }

private:
    QTemporaryDir m_folder;
    QProcess m_daemon;
    QString m_address;
    QDBusConnection m_service{QString()};
    Answer m_answer;
};
