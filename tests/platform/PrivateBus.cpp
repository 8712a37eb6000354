#include "PrivateBus.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace Qt::StringLiterals;

PrivateBus::PrivateBus()
{
    const QString config = m_folder.filePath(u"bus.conf"_s);
    QFile file(config);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(u"<busconfig>\n"
               "  <type>session</type>\n"
               "  <listen>unix:dir=%1</listen>\n"
               "  <auth>EXTERNAL</auth>\n"
               "  <policy context=\"default\">\n"
               "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
               "    <allow eavesdrop=\"true\"/>\n"
               "    <allow own=\"*\"/>\n"
               "  </policy>\n"
               "</busconfig>\n"_s.arg(m_folder.path().toHtmlEscaped())
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
    // away from the user's own bus.
    if (m_address.isEmpty()) {
        ADD_FAILURE() << "dbus-daemon did not start";
        m_address = u"unix:path="_s + m_folder.filePath(u"no-daemon"_s);
    }

    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        m_previousAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
}

PrivateBus::~PrivateBus()
{
    if (m_previousAddress)
        qputenv("DBUS_SESSION_BUS_ADDRESS", *m_previousAddress);
    else
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    m_daemon.kill();
    m_daemon.waitForFinished();
}

FakeService::FakeService(const PrivateBus &bus, const QString &name, const QString &path, Answer answer)
    : m_connection(QDBusConnection::connectToBus(bus.address(), u"fake "_s + name))
    , m_answer(std::move(answer))
{
    EXPECT_TRUE(m_connection.registerVirtualObject(path, this)) << path.toStdString();
    EXPECT_TRUE(m_connection.registerService(name)) << name.toStdString();
}

FakeService::~FakeService()
{
    const QString name = m_connection.name();
    m_connection = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(name);
}

void FakeService::send(const QDBusMessage &message)
{
    EXPECT_TRUE(m_connection.send(message));
}

bool FakeService::handleMessage(const QDBusMessage &message, const QDBusConnection &)
{
    calls.append(message);
    if (const std::optional<QDBusMessage> reply = m_answer(message))
        send(*reply);
    else
        held.append(message);
    return true;
}
