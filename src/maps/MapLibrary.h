#pragma once

#include "base/Catalog.h"
#include "maps/InstalledMap.h"

#include <QCoroTask>
#include <QList>
#include <QObject>

// The maps in the game's Maps folder, as the window lists them. Scans walk
// folders of unknown size, so they run on the thread pool; when scans
// overlap, only the latest one publishes.
class MapLibrary final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MapLibrary)

    Q_PROPERTY(QList<InstalledMap> installedMaps READ installedMaps NOTIFY installedMapsChanged)

public:
    // The catalog names the three-player maps, which are labelled apart.
    explicit MapLibrary(const Catalog &catalog, QObject *parent = nullptr);
    ~MapLibrary() override;

    QList<InstalledMap> installedMaps() const { return m_installedMaps; }
    // The map folders directly in the game's Maps folder, by the same test
    // that lists them.
    int bundledMapCount() const { return int(m_installedMaps.size()); }

    // Rescans the Maps folder. An unreadable folder is an empty library;
    // only running out of memory throws.
    QCoro::Task<> refreshMapLibrary();

Q_SIGNALS:
    void installedMapsChanged();

private:
    QSet<QString> m_threePlayerNames;
    QList<InstalledMap> m_installedMaps;
    quint64 m_latestScan = 0;
};
