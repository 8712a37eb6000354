#include "maps/MapLibrary.h"

#include "base/Locations.h"
#include "maps/MapLibraryScan.h"

#include <QCoroFuture>
#include <QPointer>
#include <QtConcurrentRun>

namespace {

QList<InstalledMap> scanLibrary(const QString &mapsFolder, const QString &listFile,
                                const QSet<QString> &threePlayerNames)
{
    return scanMapLibrary(mapsFolder, readManagedMapNames(listFile), threePlayerNames);
}

} // namespace

MapLibrary::MapLibrary(const Catalog &catalog, QObject *parent)
    : QObject(parent)
{
    for (const ThreePlayerMapPackage &package : catalog.threePlayerMaps)
        m_threePlayerNames.insert(package.mapName.toLower());
}

MapLibrary::~MapLibrary() = default;

QCoro::Task<> MapLibrary::refreshMapLibrary()
{
    const QPointer<MapLibrary> self(this);
    const quint64 scanNumber = ++m_latestScan;
    // A plain function, not a lambda: GCC 12 destroys the captures of a
    // lambda made inside a coroutine twice.
    QFuture<QList<InstalledMap>> scanning = QtConcurrent::run(scanLibrary, Locations::gameMapsFolder(),
                                                              Locations::managedMapListFile(), m_threePlayerNames);
    QList<InstalledMap> maps = co_await scanning;
    if (!self || scanNumber != m_latestScan || maps == m_installedMaps)
        co_return;
    m_installedMaps = std::move(maps);
    Q_EMIT installedMapsChanged();
}
