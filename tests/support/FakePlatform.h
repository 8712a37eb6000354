#pragma once

#include "platform/Platform.h"

// A platform for model and UI tests, which only ask it about the system's
// preferences: the test sets them and calls preferencesChanged as the system
// would. Everything else answers nothing and does nothing.
class FakePlatform final : public Platform
{
public:
    bool reducedMotion = false;
    bool darkAppearance = false;
    // What the platform calls when the system's preferences change.
    std::function<void()> preferencesChanged;

    bool prefersReducedMotion() const override { return reducedMotion; }
    bool prefersDarkAppearance() const override { return darkAppearance; }
    void watchPreferences(std::function<void()> changed) override { preferencesChanged = std::move(changed); }

    QVersionNumber operatingSystemVersion() const override { return {}; }
    bool needsRosetta() const override { return false; }
    bool rosettaInstalled() const override { return true; }
    ToolCommand installRosettaCommand() const override { return {}; }
    std::optional<qint64> availableCapacity(const QString &) const override { return {}; }
    QString resourcesFolder() const override { return {}; }
    QString applicationPath() const override { return {}; }
    void revealFile(const QString &) override {}
    void openFolder(const QString &) override {}
    bool openScriptInTerminal(const QString &) override { return false; }
    bool moveToTrash(const QString &, QString *) override { return false; }
    void quitApplication() override {}
    ToolCommand unzipCommand(const QString &, const QString &) const override { return {}; }
    ToolCommand copyTreeCommand(const QString &, const QString &) const override { return {}; }
    ToolCommand listZipCommand(const QString &) const override { return {}; }
    ToolCommand untarCommand(const QString &, const QString &) const override { return {}; }
    ToolCommand listProcessesCommand() const override { return {}; }
    QString steamCmdArchiveName() const override { return {}; }
    QString wineRuntimeResource() const override { return {}; }
};
