#pragma once

#include "content/Services.h"

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <optional>

// The ranked maps of the community's map repository at the latest commit of
// its main branch, prepared in a cache folder named after that commit: the
// map folders of its release, without excluded or repeated maps, ready to be
// copied into the game.
class RankedMaps final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RankedMaps)

public:
    explicit RankedMaps(Services services, QObject *parent = nullptr);
    ~RankedMaps() override;

    // Asks GitHub for the latest commit and gives its prepared cache folder,
    // downloading and preparing it unless a complete cache exists. The record
    // then names the commit and its map count; saving it is the caller's.
    // Throws what goes wrong for the caller to report.
    QCoro::Task<QString> prepareLatestRankedMaps();

    // The prepared cache of the commit the record names, when it is complete.
    std::optional<QString> cachedRankedMapsURL() const;

private:
    // Gives the kept archive of commit, downloading it unless it is there.
    QCoro::Task<QString> keptArchive(QString commit);
    // Unpacks the archive into a folder of its own, removed afterwards, and
    // prepares the cache of commit from its release.
    QCoro::Task<QString> prepareCache(QString archive, QString commit);
    void recordCache(const QString &commit, qint64 count);

    Services m_services;
};

// The prepared cache of the commit revision when it is complete; file work
// only, so a launch can ask off the GUI thread.
std::optional<QString> cachedRankedMaps(const std::optional<QString> &revision);
