#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
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

    PrivateBus();
    ~PrivateBus() override;
    Q_DISABLE_COPY_MOVE(PrivateBus)

    QString address() const { return m_address; }
    void serve(const QString &name, const QString &path, Answer answer);
    // Sends a late reply or a signal from the service.
    void send(const QDBusMessage &message);

    QList<QDBusMessage> calls;
    QList<QDBusMessage> held;

    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

private:
    QTemporaryDir m_folder;
    QProcess m_daemon;
    QString m_address;
    QDBusConnection m_service{QString()};
    Answer m_answer;
};
