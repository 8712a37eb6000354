// The model's view of the community content in the game.
#include "base/Locations.h"
#include "app/TarnholdModel.h"
#include "maps/MapFolders.h"

int TarnholdModel::bundledMapCount() const
{
    return countMapFolders(Locations::gameMapsFolder()).value_or(0);
}
