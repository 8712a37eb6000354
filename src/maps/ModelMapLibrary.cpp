// The map library as the model publishes it.
#include "base/Locations.h"
#include "app/TarnholdModel.h"
#include "maps/MapLibraryScan.h"

void TarnholdModel::refreshMapLibrary()
{
    QSet<QString> threePlayerNames;
    for (const ThreePlayerMapPackage &package : std::as_const(m_catalog.threePlayerMaps))
        threePlayerNames.insert(package.mapName.toLower());
    assign(m_installedMaps,
           scanMapLibrary(Locations::gameMapsFolder(), readManagedMapNames(Locations::managedMapListFile()),
                          threePlayerNames),
           &TarnholdModel::installedMapsChanged);
}
