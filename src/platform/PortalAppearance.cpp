#include "platform/PortalAppearance.h"

#include <QStandardPaths>

namespace {

const QString portal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");

} // namespace

PortalAppearance::PortalAppearance(std::function<void()> changed, QObject *parent)
    : QObject(parent)
    , m_changed(std::move(changed))
{
    const QString gdbus = QStandardPaths::findExecutable(QStringLiteral("gdbus"));
    if (gdbus.isEmpty())
        return;
    for (QProcess *process : {&m_read, &m_monitor})
        process->setStandardErrorFile(QProcess::nullDevice());

    // Started first, so a change during the read is not missed.
    connect(&m_monitor, &QProcess::readyReadStandardOutput, this, &PortalAppearance::readMonitor);
    m_monitor.start(gdbus, {QStringLiteral("monitor"), QStringLiteral("--session"), QStringLiteral("--dest"), portal,
                            QStringLiteral("--object-path"), portalPath});

    connect(&m_read, &QProcess::finished, this, [this] {
        // A change seen by the monitor is newer than this answer.
        if (!m_colorScheme)
            adopt(parseColorSchemeReply(QString::fromUtf8(m_read.readAllStandardOutput())));
    });
    m_read.start(gdbus, {QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--timeout"),
                         QStringLiteral("5"), QStringLiteral("--dest"), portal, QStringLiteral("--object-path"),
                         portalPath, QStringLiteral("--method"), QStringLiteral("org.freedesktop.portal.Settings.Read"),
                         QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme")});
}

// gdbus ends at once on SIGKILL, so the wait is brief.
PortalAppearance::~PortalAppearance()
{
    for (QProcess *process : {&m_read, &m_monitor}) {
        process->disconnect(this);
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(1000);
        }
    }
}

void PortalAppearance::adopt(std::optional<ColorScheme> scheme)
{
    if (!scheme || scheme == m_colorScheme)
        return;
    m_colorScheme = scheme;
    m_changed();
}

void PortalAppearance::readMonitor()
{
    while (m_monitor.canReadLine())
        adopt(parseColorSchemeChange(QString::fromUtf8(m_monitor.readLine())));
}
