#pragma once

#include "platform/DesktopPlatform.h"

#include <functional>
#include <memory>

class PortalSettings;
class QDBusConnection;

// Linux: freedesktop.org services, reached over the session bus with Qt
// D-Bus or through their command-line tools.
class LinuxPlatform : public DesktopPlatform
{
public:
    // Talks to the desktop over the user's session bus, or over the bus at
    // busAddress when one is given. Nothing connects before a request needs
    // the bus.
    explicit LinuxPlatform(QString busAddress = {});
    ~LinuxPlatform() override;

    std::optional<QString> unmetSystemRequirement() const override;
    bool needsRosetta() const override;
    bool rosettaInstalled() const override;
    ToolCommand installRosettaCommand() const override;

    QString resourcesFolder() const override;
    QString applicationPath() const override;
    bool applicationIsInstalled() const override;
    UninstallScript uninstallScript() const override;

    void revealFile(const QString &path) override;
    void openFolder(const QString &path) override;
    bool openScriptInTerminal(const QString &script) override;

    bool prefersDarkAppearance() const override;
    void watchPreferences(std::function<void()> changed) override;

    ToolCommand unzipCommand(const QString &archive, const QString &destination) const override;
    ToolCommand copyTreeCommand(const QString &source, const QString &destination) const override;
    ToolCommand copyFoldersIntoCommand(const QStringList &folders, const QString &destination) const override;

    QString steamCmdArchiveName() const override;
    TerminalShell terminalShell() const override;

protected:
    QString toolProgram(const QString &name) const override;
    bool prepareTrash() override;
    bool systemPrefersReducedMotion() const override;

private:
    QDBusConnection bus();

    QString m_busAddress;
    QString m_busName;
    std::function<void()> m_preferencesChanged;
    std::unique_ptr<PortalSettings> m_portal;
};
