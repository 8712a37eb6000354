#pragma once

#include "base/Catalog.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>

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

    // Map folders by the release folder that holds them.
    using RankedRelease = QList<std::pair<QString, QStringList>>;

    // The repository at commit, its release holding these maps.
    void serveRankedMaps(const QStringList &maps = rankedMapNames());
    void serveRankedMaps(const QByteArray &archive);
    static QStringList rankedMapNames();
    // The repository's archive at commit: below a folder named releaseName,
    // each map's file holds its release folder's name; beside them sit a
    // folder of notes and a map hidden in a ".old" folder.
    static QByteArray rankedArchive(const RankedRelease &release,
                                    const QString &releaseName = QStringLiteral("release"));

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
    // The archive of one interface variant, without the files left out.
    static QByteArray interfaceArchive(const QString &resolution, const QStringList &leftOut = {});
    static QString interfacePath(const QString &resolution);
    static inline const QString genToolPath = QStringLiteral("/gentool/download/GenTool_v8.9.zip");

    // Serves archive at path and gives its digest to pin.
    QString serve(const QString &path, const QByteArray &archive);

private:
    FixtureServer &m_server;
    Catalog &m_catalog;
};
