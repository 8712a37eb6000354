#pragma once

#include "maps/InstalledMap.h"

#include <QCoroTask>
#include <QObject>
#include <QStringList>

class MapLibrary;
class OperationState;
class Platform;

// Adds the player's own maps to the game's Maps folder and takes them away
// again. Imported maps are ordinary personal maps: existing ones are never
// replaced, and a removed one goes to the Trash.
class MapImporter final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MapImporter)

public:
    MapImporter(Platform &platform, OperationState &operation, MapLibrary &library, QObject *parent = nullptr);
    ~MapImporter() override;

    // Imports the map folders found in the picked folders and ZIP packages;
    // other files are ignored. Runs as an operation and returns at once. The
    // window offers it only while Tarnhold is idle.
    void importMaps(const QStringList &locations);
    // Moves one map of the library to the Trash.
    void removeMap(const InstalledMap &map);
    // Opens the Maps folder, made first if need be, in the file manager.
    void revealMapLibrary();

private:
    struct ImportCount
    {
        int imported = 0;
        int skipped = 0;
    };

    QCoro::Task<> runImport(QStringList locations);
    QCoro::Task<ImportCount> importFrom(QStringList locations, QStringList *extractionFolders);
    // The map folders below the locations, each once. The folder of every
    // package is added to extractionFolders before it is unpacked, so that
    // all of them are removed however the import ends.
    QCoro::Task<QStringList> collectCandidates(QStringList locations, QStringList *extractionFolders);
    static QString importNotice(ImportCount count);

    Platform &m_platform;
    OperationState &m_operation;
    MapLibrary &m_library;
};
