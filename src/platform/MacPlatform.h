#pragma once

#include "platform/DesktopPlatform.h"

#include <memory>

class QTimer;

// macOS: the services Tarnhold needs from the Finder, Terminal and the system
// tools, reached through their command-line programs and CoreFoundation (no
// Objective-C needed).
class MacPlatform final : public DesktopPlatform
{
public:
    MacPlatform();
    ~MacPlatform() override;

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
    std::unique_ptr<QTimer> m_reducedMotionPoll;
    bool m_reducedMotion = false;
};
