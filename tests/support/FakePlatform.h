#pragma once

#include "platform/Platform.h"

// A platform for model tests: every answer is a public member to set, and
// every request to the system is recorded instead of performed. Only the
// Trash is real: items move into ".Trash" in the (temporary) home folder so
// tests can look at the files. Tool commands are the Linux forms.
class FakePlatform final : public Platform
{
public:
    QVersionNumber osVersion{14, 0};
    bool rosettaNeeded = false;
    // Rosetta counts as installed when this file exists, or always when empty,
    // so an installer script can make it appear.
    QString rosettaRuntime;
    ToolCommand rosettaInstaller{QStringLiteral("true"), {}};
    std::optional<qint64> capacity;
    QString resources;
    QString application;
    bool terminalOpens = true;
    bool trashSucceeds = true;
    QString trashError = QStringLiteral("The item could not be moved to the Trash.");
    bool reducedMotion = false;
    bool darkAppearance = false;
    QString steamCmdArchive = QStringLiteral("steamcmd_linux.tar.gz");

    mutable QStringList capacityPaths;
    QStringList revealedPaths;
    QStringList openedFolders;
    QStringList terminalScripts;
    QStringList trashedPaths;
    int quitCount = 0;
    // What the platform calls when the system's preferences change.
    std::function<void()> preferencesChanged;

    QVersionNumber operatingSystemVersion() const override { return osVersion; }
    bool needsRosetta() const override { return rosettaNeeded; }
    bool rosettaInstalled() const override;
    ToolCommand installRosettaCommand() const override { return rosettaInstaller; }
    std::optional<qint64> availableCapacity(const QString &path) const override;

    QString resourcesFolder() const override { return resources; }
    QString applicationPath() const override { return application; }

    void revealFile(const QString &path) override { revealedPaths.append(path); }
    void openFolder(const QString &path) override { openedFolders.append(path); }
    bool openScriptInTerminal(const QString &script) override;
    bool moveToTrash(const QString &path, QString *error) override;
    void quitApplication() override { ++quitCount; }

    bool prefersReducedMotion() const override { return reducedMotion; }
    bool prefersDarkAppearance() const override { return darkAppearance; }
    void watchPreferences(std::function<void()> changed) override { preferencesChanged = std::move(changed); }

    ToolCommand unzipCommand(const QString &archive, const QString &destination) const override;
    ToolCommand copyTreeCommand(const QString &source, const QString &destination) const override;
    ToolCommand listZipCommand(const QString &archive) const override;
    ToolCommand untarCommand(const QString &archive, const QString &destination) const override;
    ToolCommand listProcessesCommand() const override;

    QString steamCmdArchiveName() const override { return steamCmdArchive; }
    QString wineRuntimeResource() const override;

    // The folder that stands in for the Trash.
    static QString trashFolder();
};
