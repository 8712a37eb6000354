#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>
#include <optional>

// A session bus of the test's own, so nothing reaches the user's desktop;
// DBUS_SESSION_BUS_ADDRESS names it while it lives, for the children a test
// starts. It reads no service files, so a name nobody owns is never started
// on demand, whatever desktop the machine has.
class PrivateBus final
{
public:
    PrivateBus();
    ~PrivateBus();
    Q_DISABLE_COPY_MOVE(PrivateBus)

    QString address() const { return m_address; }

private:
    QTemporaryDir m_folder;
    QProcess m_daemon;
    QString m_address;
    std::optional<QByteArray> m_previousAddress;
};

// A desktop service the test plays: it owns a name on the bus through a
// connection of its own, records every call to one object and answers each
// as `answer` says, or holds it unanswered in `held`.
class FakeService final : public QDBusVirtualObject
{
public:
    using Answer = std::function<std::optional<QDBusMessage>(const QDBusMessage &call)>;

    FakeService(const PrivateBus &bus, const QString &name, const QString &path, Answer answer);
    ~FakeService() override;
    Q_DISABLE_COPY_MOVE(FakeService)

    QList<QDBusMessage> calls;
    QList<QDBusMessage> held;

    // Sends a late reply or a signal.
    void send(const QDBusMessage &message);

    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

private:
    QDBusConnection m_connection;
    Answer m_answer;
};
