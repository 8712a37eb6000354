#include "maps/MapCache.h"

#include "base/FileChanges.h"
#include "base/Locations.h"

#include <QDir>
#include <QFileInfo>

void removeMapCache()
{
    const QFileInfo cache(QDir(Locations::gameMapsFolder()).filePath(QStringLiteral("MapCache.ini")));
    if (cache.exists() || cache.isSymLink())
        removeItem(cache.filePath());
}
