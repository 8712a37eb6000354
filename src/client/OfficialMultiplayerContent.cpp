#include "client/OfficialMultiplayerContent.h"

#include "base/Locations.h"
#include "client/AntiCheatInstallation.h"
#include "content/ControlBar.h"
#include "content/MapProfile.h"
#include "content/PortableUserData.h"
#include "content/RankedMaps.h"
#include "content/ThreePlayerMaps.h"

void prepareOfficialMultiplayerContent(const QString &game, const OfficialContentSources &sources)
{
    prepareEACConfiguration(game, sources.catalog.antiCheat);
    migrateLegacyPortableUserData(game);
    if (!managedMapsAreInstalled()) {
        QStringList maps;
        if (const std::optional<QString> ranked = cachedRankedMaps(sources.state.rankedMapsRevision))
            maps.append(*ranked);
        maps.append(Locations::officialMapsFolder());
        const QString threePlayer = Locations::threePlayerMapsFolder();
        if (sources.state.includeCommunityThreePlayerMaps.value_or(false)
            && plainThreePlayerMapsAreComplete(threePlayer, sources.catalog.threePlayerMaps))
            maps.append(threePlayer);
        installClientMaps(*sources.platform, maps);
    }
    configureOfficialCommunityDataPatch();
    if (const std::optional<PreparedControlBar> controlBar =
            cachedControlBar(sources.state, sources.catalog.controlBar))
        installPreparedControlBar(*controlBar, game);
}
