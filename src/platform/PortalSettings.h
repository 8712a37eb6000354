#pragma once

#include <QCoroTask>
#include <QDBusConnection>
#include <QObject>
#include <QSet>
#include <QString>

class QDBusVariant;

// The desktop's colour scheme and reduced-motion preference as the
// freedesktop.org Settings portal publishes them in
// "org.freedesktop.appearance": read once without waiting for the answer,
// then followed through SettingChanged. Without a session bus or a portal
// there is simply no preference.
class PortalSettings final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PortalSettings)

public:
    enum class ColorScheme { noPreference, dark, light };

    explicit PortalSettings(QDBusConnection bus, QObject *parent = nullptr);
    ~PortalSettings() override;

    ColorScheme colorScheme() const { return m_colorScheme; }
    bool prefersReducedMotion() const { return m_reducedMotion; }

Q_SIGNALS:
    // A preference now has another value.
    void changed();

private Q_SLOTS:
    void settingChanged(const QString &group, const QString &key, const QDBusVariant &value);

private:
    QCoro::Task<> read(QString key);
    void adopt(const QString &key, const QVariant &value);

    QDBusConnection m_bus;
    ColorScheme m_colorScheme = ColorScheme::noPreference;
    bool m_reducedMotion = false;
    // Keys whose change has arrived: their first read's answer is older.
    QSet<QString> m_announced;
};
