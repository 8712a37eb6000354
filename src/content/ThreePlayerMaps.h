#pragma once

#include "base/ThreePlayerMapPackage.h"
#include "content/Services.h"

#include <QCoroTask>
#include <QObject>

#include <optional>

class OperationState;

// The pinned plain three-player maps from the C&C Labs site, prepared as one
// folder of map folders. Each archive is kept beside the downloads and used
// again while it matches its pinned digest; a fresh one is fetched in two
// paced steps, its details page and then the one-time file link found there.
// The prepared folder is only ever replaced whole by a complete new one.
class ThreePlayerMaps final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ThreePlayerMaps)

public:
    ThreePlayerMaps(Services services, OperationState &operation, QObject *parent = nullptr);

    // The prepared folder, built first unless it is already complete.
    QCoro::Task<QString> preparePlainThreePlayerMaps();
    // The archive's bytes: the kept ones when they match, otherwise fetched
    // after a pause, verified and kept at cachedAt. Throws CorruptFileError
    // for a page without a usable link or bytes that are not the pinned ones.
    QCoro::Task<QByteArray> downloadPlainThreePlayerArchive(ThreePlayerMapPackage package, QString cachedAt);
    // The prepared folder when it is complete, so a launch needs no network.
    std::optional<QString> cachedPlainThreePlayerMapsURL() const;

private:
    // Unpacks the kept archive below staging and copies the map's folder,
    // which must not carry its own "map.ini", to stagedMaps.
    QCoro::Task<> stageMap(ThreePlayerMapPackage package, QString archive, QString staging, QString stagedMaps);

    Services m_services;
    OperationState &m_operation;
};

// Whether folder holds exactly the pinned maps as map folders by their
// table names, none with a "map.ini" of its own, and no other map folder.
bool plainThreePlayerMapsAreComplete(const QString &folder, const QList<ThreePlayerMapPackage> &packages);
