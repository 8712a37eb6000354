#include "platform/PortalSettings.h"

#include <QCoroDBusPendingCall>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

const QString portal = u"org.freedesktop.portal.Desktop"_s;
const QString portalPath = u"/org/freedesktop/portal/desktop"_s;
const QString settings = u"org.freedesktop.portal.Settings"_s;
const QString appearance = u"org.freedesktop.appearance"_s;
const QString colorSchemeKey = u"color-scheme"_s;
const QString reducedMotionKey = u"reduced-motion"_s;

QDBusPendingCall callSettings(const QDBusConnection &bus, const QString &method, const QString &key)
{
    QDBusMessage call = QDBusMessage::createMethodCall(portal, portalPath, settings, method);
    call << appearance << key;
    return bus.asyncCall(call);
}

// The value inside however many variants carry it: Read wraps it in one
// more than ReadOne and the signal do.
QVariant unwrapped(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = qvariant_cast<QDBusVariant>(value).variant();
    return value;
}

} // namespace

PortalSettings::PortalSettings(QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{
    // Qt D-Bus finds the slot's argument types by name, and in Qt 6.4 that
    // name is known only once the type has been registered; without this
    // the first connection fails.
    qRegisterMetaType<QDBusVariant>();
    // Listening first, so a change made while the reads travel is not missed.
    // Any sender will do: naming the portal would make Qt ask the bus who
    // owns that name and wait for the answer. Qt D-Bus names the receiving
    // slot only by its signature.
    m_bus.connect(QString(), portalPath, settings, u"SettingChanged"_s, this,
                  SLOT(settingChanged(QString, QString, QDBusVariant)));
    read(colorSchemeKey);
    read(reducedMotionKey);
}

PortalSettings::~PortalSettings()
{
    m_bus.disconnect(QString(), portalPath, settings, u"SettingChanged"_s, this,
                     SLOT(settingChanged(QString, QString, QDBusVariant)));
}

void PortalSettings::settingChanged(const QString &group, const QString &key, const QDBusVariant &value)
{
    if (group != appearance || (key != colorSchemeKey && key != reducedMotionKey))
        return;
    m_announced.insert(key);
    adopt(key, unwrapped(value.variant()));
}

// A portal that answers with an error, or not at all within the call's
// time-out, leaves the preference unknown. The bus is copied, so a read
// that outlives this object never touches it.
QCoro::Task<> PortalSettings::read(QString key)
{
    const QPointer<PortalSettings> self(this);
    const QDBusConnection bus = m_bus;
    const QDBusPendingCall readOne = callSettings(bus, u"ReadOne"_s, key);
    QDBusMessage reply = co_await readOne;
    // Portals before version 2 of the interface know only Read.
    if (reply.type() == QDBusMessage::ErrorMessage
        && reply.errorName() == u"org.freedesktop.DBus.Error.UnknownMethod") {
        const QDBusPendingCall read = callSettings(bus, u"Read"_s, key);
        reply = co_await read;
    }
    if (!self || m_announced.contains(key) || reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        co_return;
    adopt(key, unwrapped(reply.arguments().constFirst()));
}

// Both settings are uint32 values; any other value or type is one this
// version does not know, and so no preference.
void PortalSettings::adopt(const QString &key, const QVariant &value)
{
    const uint number = value.metaType() == QMetaType::fromType<uint>() ? value.toUInt() : 0;
    if (key == colorSchemeKey) {
        const ColorScheme scheme = number == 1   ? ColorScheme::dark
                                   : number == 2 ? ColorScheme::light
                                                 : ColorScheme::noPreference;
        if (scheme == m_colorScheme)
            return;
        m_colorScheme = scheme;
    } else {
        const bool reduce = number == 1;
        if (reduce == m_reducedMotion)
            return;
        m_reducedMotion = reduce;
    }
    Q_EMIT changed();
}
