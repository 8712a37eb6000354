// Where the runtime, prefix and launcher are, and the installation record.
#include "base/Locations.h"
#include "app/TarnholdModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

std::optional<QString> TarnholdModel::runtimeURL() const
{
    const QString managed = Locations::currentRuntimeFolder();
    if (isExecutableFile(QDir(managed).filePath(QStringLiteral("bin/wine"))))
        return managed;
    // After an uninstall the older installation stays on disk but unused.
    if (m_state.lifecycleIsolationEnabled.value_or(false))
        return std::nullopt;
    const QString legacy = Locations::legacyRuntimeFolder();
    if (isExecutableFile(QDir(legacy).filePath(QStringLiteral("bin/wine"))))
        return legacy;
    return std::nullopt;
}

std::optional<QString> TarnholdModel::prefixURL() const
{
    // The managed prefix wins as soon as it exists, even empty.
    const QString managed = Locations::managedPrefixFolder();
    if (QFileInfo::exists(managed))
        return managed;
    if (m_state.lifecycleIsolationEnabled.value_or(false))
        return std::nullopt;
    const QString legacy = Locations::legacyPrefixFolder();
    if (QFileInfo::exists(legacy))
        return legacy;
    return std::nullopt;
}

std::optional<QString> TarnholdModel::launcherURL() const
{
    const std::optional<QString> prefix = prefixURL();
    if (!prefix)
        return std::nullopt;
    return Locations::launcherFile(*prefix);
}

bool TarnholdModel::legacyInstallationPresent() const
{
    return isExecutableFile(QDir(Locations::legacyRuntimeFolder()).filePath(QStringLiteral("bin/wine")))
           && fileExists(Locations::launcherFile(Locations::legacyPrefixFolder()));
}

void TarnholdModel::loadState()
{
    QFile file(Locations::stateFile());
    if (!file.open(QIODevice::ReadOnly))
        return;
    if (const std::optional<InstalledState> state = decodeInstalledState(file.readAll()))
        setState(*state);
}

void TarnholdModel::saveState()
{
    // A failed save is silent: the next save writes the whole record again.
    if (!QDir().mkpath(Locations::supportFolder()))
        return;
    QSaveFile file(Locations::stateFile());
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(encodeInstalledState(m_state));
    file.commit();
}
