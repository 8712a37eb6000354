#pragma once

#include "platform/PortalColorScheme.h"

#include <QObject>
#include <QProcess>

#include <functional>

// Follows the desktop portal's colour scheme through gdbus: one call reads
// it at the start, and a monitor reports every later change. Without gdbus
// or a session bus there is simply no preference.
class PortalAppearance final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PortalAppearance)

public:
    // `changed` runs whenever the known preference changes.
    explicit PortalAppearance(std::function<void()> changed, QObject *parent = nullptr);
    ~PortalAppearance() override;

    std::optional<ColorScheme> colorScheme() const { return m_colorScheme; }

private:
    void adopt(std::optional<ColorScheme> scheme);
    void readMonitor();

    std::function<void()> m_changed;
    QProcess m_read;
    QProcess m_monitor;
    std::optional<ColorScheme> m_colorScheme;
};
