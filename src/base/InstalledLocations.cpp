#include "base/InstalledLocations.h"

#include "base/Locations.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool hasWine(const QString &runtime)
{
    return isExecutableFile(QDir(runtime).filePath(QStringLiteral("bin/wine")));
}

bool isolated(const InstalledState &state)
{
    return state.lifecycleIsolationEnabled.value_or(false);
}

} // namespace

std::optional<QString> runtimeURL(const InstalledState &state)
{
    const QString managed = Locations::currentRuntimeFolder();
    if (hasWine(managed))
        return managed;
    const QString legacy = Locations::legacyRuntimeFolder();
    if (!isolated(state) && hasWine(legacy))
        return legacy;
    return std::nullopt;
}

std::optional<QString> prefixURL(const InstalledState &state)
{
    // The managed prefix wins as soon as it exists, even empty.
    const QString managed = Locations::managedPrefixFolder();
    if (QFileInfo::exists(managed))
        return managed;
    const QString legacy = Locations::legacyPrefixFolder();
    if (!isolated(state) && QFileInfo::exists(legacy))
        return legacy;
    return std::nullopt;
}

std::optional<QString> launcherURL(const InstalledState &state)
{
    const std::optional<QString> prefix = prefixURL(state);
    if (!prefix)
        return std::nullopt;
    return Locations::launcherFile(*prefix);
}

bool legacyInstallationPresent()
{
    return hasWine(Locations::legacyRuntimeFolder())
           && fileExists(Locations::launcherFile(Locations::legacyPrefixFolder()));
}

bool isReady(const InstalledState &state)
{
    const std::optional<QString> launcher = launcherURL(state);
    return runtimeURL(state) && launcher && fileExists(*launcher);
}
