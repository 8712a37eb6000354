#include "lifecycle/ManagedInstallation.h"

#include "base/Locations.h"
#include "base/UserFacingError.h"
#include "content/MapProfile.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

void trashManagedInstallation(Platform &platform)
{
    trashManagedMaps(platform);
    const QStringList folders{QStringLiteral("Runtime"),   QStringLiteral("Prefix"),
                              QStringLiteral("SteamGame"), QStringLiteral("SteamCMD"),
                              QStringLiteral("Downloads"), QStringLiteral("CommunityContent")};
    const QDir support(Locations::supportFolder());
    for (const QString &name : folders) {
        const QFileInfo folder(support.filePath(name));
        if (!folder.exists() && !folder.isSymLink())
            continue;
        QString error;
        if (!platform.moveToTrash(folder.filePath(), &error))
            throw UserFacingError(error);
    }
}

InstalledState withoutManagedInstallation(InstalledState state)
{
    if (state.velmoraVersion)
        state.preservedLegacyVersion = state.velmoraVersion;
    state.velmoraVersion.reset();
    state.controlBarVersion.reset();
    state.controlBarRevision.reset();
    state.controlBarResolution.reset();
    state.genToolVersion.reset();
    state.rankedMapsRevision.reset();
    state.rankedMapCount.reset();
    state.lifecycleIsolationEnabled = true;
    return state;
}

InstalledState withLegacyInstallationVisible(InstalledState state)
{
    state.lifecycleIsolationEnabled = false;
    if (!state.velmoraVersion)
        state.velmoraVersion = state.preservedLegacyVersion;
    return state;
}
