#pragma once

#include "base/Catalog.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

class FixtureServer;

// The community content's web sites as the fixture server plays them, each
// archive built here and pinned in the catalog by its digest, and the
// official maps and data patch that the online client's installation keeps.
class CommunityWorld
{
public:
    static inline const QString commit = QStringLiteral("0123456789abcdef0123456789abcdef01234567");
    static inline const QString rankedCommitPath =
        QStringLiteral("/github-api/repos/TheSuperHackers/GeneralsRankedMaps/commits/main");
    static inline const QString rankedArchivePath =
        QStringLiteral("/github/TheSuperHackers/GeneralsRankedMaps/archive/%1.zip").arg(commit);

    CommunityWorld(FixtureServer &server, Catalog &catalog);

    // Every site below, and the kept official data.
    void serveEverything();

    // The files of one map's folder, by their names inside it.
    using MapFiles = std::function<QMap<QString, QByteArray>(const QString &map)>;
    // The map's name in a file of the map's name.
    static QMap<QString, QByteArray> plainMapFiles(const QString &map);

    // The repository at commit, its release holding these maps.
    void serveRankedMaps(const QStringList &maps = rankedMapNames(), const MapFiles &files = plainMapFiles);
    static QStringList rankedMapNames();

    // Two pinned maps, each behind a details page with its one-time link.
    void serveThreePlayerMaps();
    static QStringList threePlayerMapNames();
    static QString detailsPath(int item);
    static QString filePath(int item);

    // The three interface variants and GenTool, whose d3d8.dll sits in a
    // sub-folder.
    void serveInterfacePackages();

    // What the client's installation keeps: its maps and the data patch.
    static void keepOfficialClientData();
    static QStringList officialMapNames();
    static const QByteArray dataPatch;

    // A zip of one map, laid out below folder inside it.
    static QByteArray mapArchive(const QString &name, const QString &folder);

private:
    QString serve(const QString &path, const QByteArray &archive);

    FixtureServer &m_server;
    Catalog &m_catalog;
};
