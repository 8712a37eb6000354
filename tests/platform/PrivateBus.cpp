#include "PrivateBus.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace Qt::StringLiterals;

PrivateBus::PrivateBus()
{
    const QString config = m_folder.filePath(u"bus.conf"_s);
    QFile file(config);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    // Without both eavesdrop rules Qt D-Bus connections abort or lose messages.
    file.write(u"<busconfig><type>session</type><listen>unix:dir=%1</listen><auth>EXTERNAL</auth>"
               "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
               "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>"_s
                   .arg(m_folder.path().toHtmlEscaped())
                   .toUtf8());
    file.close();

    // The daemon prints its address once it listens.
    m_daemon.setStandardInputFile(QProcess::nullDevice());
    m_daemon.setStandardErrorFile(QProcess::nullDevice());
    m_daemon.start(u"dbus-daemon"_s, {u"--config-file="_s + config, u"--nofork"_s, u"--print-address"_s});
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(5000)) {
    }
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    // Without a daemon, an address where none listens still keeps the test
    // away from the user's own bus; so does this one once the daemon is gone.
    if (m_address.isEmpty()) {
        ADD_FAILURE() << "dbus-daemon did not start";
        m_address = u"unix:path="_s + m_folder.filePath(u"no-daemon"_s);
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
}

PrivateBus::~PrivateBus()
{
    const QString name = m_service.name();
    m_service = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(name);
    m_daemon.kill();
    m_daemon.waitForFinished();
}

void PrivateBus::serve(const QString &name, const QString &path, Answer answer)
{
    m_answer = std::move(answer);
    m_service = QDBusConnection::connectToBus(m_address, u"service "_s + name);
    EXPECT_TRUE(m_service.registerVirtualObject(path, this)) << path.toStdString();
    EXPECT_TRUE(m_service.registerService(name)) << name.toStdString();
}

void PrivateBus::send(const QDBusMessage &message)
{
    EXPECT_TRUE(m_service.send(message));
}

bool PrivateBus::handleMessage(const QDBusMessage &message, const QDBusConnection &)
{
    calls.append(message);
    if (const std::optional<QDBusMessage> reply = m_answer(message))
        send(*reply);
    else
        held.append(message);
    return true;
}
