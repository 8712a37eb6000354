#pragma once

#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

// A platform whose answers the test sets: the system's preferences (the
// test calls preferencesChanged as the system would), the machine's
// facts, the resources folder and the application's path, the scripts
// handed to a terminal, the Trash, and requests to quit. System
// tools are this system's real ones, so archives and copies really happen.
class FakePlatform final : public Platform
{
public:
    bool reducedMotion = false;
    bool darkAppearance = false;
    // What the platform calls when the system's preferences change.
    std::function<void()> preferencesChanged;

    // The sentence unmetSystemRequirement answers; absent, the system can run the setup.
    std::optional<QString> systemRequirement;
    bool rosettaNeeded = false;
    // When set, Rosetta is present exactly while this file exists, so that an
    // installer command can put it there as the real one does; else always.
    QString rosettaRuntime;
    ToolCommand rosettaCommand;
    std::optional<qint64> capacity;
    QString resources;
    // Every script openScriptInTerminal was given, and its answer.
    QStringList scriptsOpened;
    bool terminalOpens = true;
    // Every item moved to the Trash; each goes into "Trash" in the home folder.
    QStringList trashed;
    bool trashAccepts = true;
    QStringList foldersOpened;
    // The Trash refuses items of this name, and takes the others.
    QString trashRefusesName;
    QString application;
    bool applicationInstalled = false;
    int quitRequests = 0;

    bool prefersReducedMotion() const override { return reducedMotion; }
    bool prefersDarkAppearance() const override { return darkAppearance; }
    void watchPreferences(std::function<void()> changed) override { preferencesChanged = std::move(changed); }

    std::optional<QString> unmetSystemRequirement() const override { return systemRequirement; }
    bool needsRosetta() const override { return rosettaNeeded; }
    bool rosettaInstalled() const override { return rosettaRuntime.isEmpty() || QFileInfo::exists(rosettaRuntime); }
    ToolCommand installRosettaCommand() const override { return rosettaCommand; }
    std::optional<qint64> availableCapacity(const QString &) const override { return capacity; }
    QString resourcesFolder() const override { return resources; }
    QString applicationPath() const override { return application; }
    bool applicationIsInstalled() const override { return applicationInstalled; }
    // This system's real script, so that tests can run it.
    UninstallScript uninstallScript() const override { return m_system->uninstallScript(); }
    void revealFile(const QString &) override {}
    void openFolder(const QString &path) override { foldersOpened.append(path); }
    bool openScriptInTerminal(const QString &script) override
    {
        scriptsOpened.append(script);
        return terminalOpens;
    }
    bool moveToTrash(const QString &path, QString *error) override
    {
        if (!trashAccepts || QFileInfo(path).fileName() == trashRefusesName) {
            *error = QStringLiteral("The Trash refused “%1”.").arg(path);
            return false;
        }
        trashed.append(path);
        const QDir trash(QDir::home().filePath(QStringLiteral("Trash")));
        // As a real Trash does, a second item of the same name gets a number.
        QString name = QFileInfo(path).fileName();
        for (int copy = 2; trash.exists(name); ++copy)
            name = QFileInfo(path).fileName() + QStringLiteral(" %1").arg(copy);
        return trash.mkpath(QStringLiteral(".")) && QDir().rename(path, trash.filePath(name));
    }
    void quitApplication() override { ++quitRequests; }
    TerminalShell terminalShell() const override { return TerminalShell::bash; }

    ToolCommand unzipCommand(const QString &archive, const QString &destination) const override
    {
        return m_system->unzipCommand(archive, destination);
    }
    ToolCommand copyTreeCommand(const QString &source, const QString &destination) const override
    {
        return m_system->copyTreeCommand(source, destination);
    }
    ToolCommand copyFoldersIntoCommand(const QStringList &folders, const QString &destination) const override
    {
        return m_system->copyFoldersIntoCommand(folders, destination);
    }
    ToolCommand listZipCommand(const QString &archive) const override { return m_system->listZipCommand(archive); }
    ToolCommand zipTotalsCommand(const QString &archive) const override { return m_system->zipTotalsCommand(archive); }
    ToolCommand untarCommand(const QString &archive, const QString &destination, int stripComponents) const override
    {
        return m_system->untarCommand(archive, destination, stripComponents);
    }
    ToolCommand listProcessesCommand() const override { return m_system->listProcessesCommand(); }
    QString steamCmdArchiveName() const override { return m_system->steamCmdArchiveName(); }

private:
    // Only asked for tool commands, so it never reaches the desktop's bus.
    std::unique_ptr<Platform> m_system = createPlatform();
};
