#include "support/CommunityWorld.h"

#include "base/Locations.h"
#include "content/ControlBarPackage.h"
#include "content/Sha256.h"
#include "support/ClientArchive.h"
#include "support/FileTree.h"
#include "support/FixtureServer.h"

#include <QDir>

const QByteArray CommunityWorld::dataPatch = QByteArrayLiteral("community data patch");

CommunityWorld::CommunityWorld(FixtureServer &server, Catalog &catalog)
    : m_server(server)
    , m_catalog(catalog)
{}

void CommunityWorld::serveEverything()
{
    serveRankedMaps();
    serveThreePlayerMaps();
    serveInterfacePackages();
    keepOfficialClientData();
}

QString CommunityWorld::serve(const QString &path, const QByteArray &archive)
{
    m_server.route(path, FixtureResponse(200, {}, archive));
    return sha256(archive);
}

QMap<QString, QByteArray> CommunityWorld::plainMapFiles(const QString &map)
{
    return {{map + QStringLiteral(".map"), map.toUtf8()}};
}

void CommunityWorld::serveRankedMaps(const QStringList &maps, const MapFiles &files)
{
    const QString top = QStringLiteral("GeneralsRankedMaps-%1/").arg(commit);
    QMap<QString, QByteArray> archived{{top + QStringLiteral("README.md"), "Ranked maps"}};
    for (const QString &map : maps) {
        const QMap<QString, QByteArray> folder = files(map);
        for (auto file = folder.begin(); file != folder.end(); ++file)
            archived.insert(QStringLiteral("%1release/maps_1v1_zh/%2/%3").arg(top, map, file.key()), file.value());
    }
    m_server.route(rankedCommitPath, FixtureResponse(200, {}, QStringLiteral(R"({"sha":"%1"})").arg(commit).toUtf8()));
    serve(rankedArchivePath, ClientArchive::zip(archived));
}

QStringList CommunityWorld::rankedMapNames()
{
    QStringList names;
    for (int map = 1; map <= 8; ++map)
        names.append(QStringLiteral("Ranked %1").arg(map));
    return names;
}

void CommunityWorld::serveThreePlayerMaps()
{
    m_catalog.threePlayerMaps.clear();
    const QStringList names = threePlayerMapNames();
    for (int item = 1; item <= names.size(); ++item) {
        const QString &name = names[item - 1];
        const QByteArray page =
            QStringLiteral(R"(<a href="/downloads/file/%1/?token=t%1&amp;s=2">)").arg(item).toUtf8();
        m_server.route(detailsPath(item), FixtureResponse(200, {}, page));
        m_catalog.threePlayerMaps.append(
            {item, name, serve(filePath(item), mapArchive(name, QStringLiteral("pack/") + name))});
    }
}

QStringList CommunityWorld::threePlayerMapNames()
{
    return {QStringLiteral("Three Alpha"), QStringLiteral("Three Beta")};
}

QString CommunityWorld::detailsPath(int item)
{
    return QStringLiteral("/cnclabs/downloads/details/%1/").arg(item);
}

QString CommunityWorld::filePath(int item)
{
    return QStringLiteral("/downloads/file/%1/").arg(item);
}

QByteArray CommunityWorld::mapArchive(const QString &name, const QString &folder)
{
    return ClientArchive::zip({{QStringLiteral("%1/%2.map").arg(folder, name), name.toUtf8()},
                               {QStringLiteral("%1/%2.tga").arg(folder, name), "preview"}});
}

void CommunityWorld::serveInterfacePackages()
{
    const std::pair<QString, QString *> variants[] = {
        {QStringLiteral("1280 × 720"), &m_catalog.controlBar.interface720},
        {QStringLiteral("1920 × 1080"), &m_catalog.controlBar.interface1080},
        {QStringLiteral("2560 × 1440"), &m_catalog.controlBar.interface1440}};
    for (const auto &[resolution, pin] : variants) {
        const ControlBarPackage package = controlBarPackage(resolution);
        QMap<QString, QByteArray> files;
        // The files every variant shares hold the same bytes in each.
        for (const QString &name : package.files)
            files.insert(name, name.toUtf8());
        *pin = serve(QStringLiteral("/gentool/download/controlbarpro/1.2/") + package.archiveName,
                     ClientArchive::zip(files));
    }
    m_catalog.controlBar.genTool = serve(QStringLiteral("/gentool/download/GenTool_v8.9.zip"),
                                         ClientArchive::zip({{QStringLiteral("GenTool/bin/d3d8.dll"), "GenTool"}}));
}

void CommunityWorld::keepOfficialClientData()
{
    const QDir official(Locations::officialUserDataFolder());
    for (const QString &map : officialMapNames())
        FileTree::writeFile(official.filePath(QStringLiteral("Maps/%1/%1.map").arg(map)), map.toUtf8());
    FileTree::writeFile(official.filePath(QStringLiteral("VelmoraGameData/500_900_CommunityPatch_CoreINI.big")),
                        dataPatch);
}

QStringList CommunityWorld::officialMapNames()
{
    return {QStringLiteral("Velmora Arena"), QStringLiteral("Velmora Canyon")};
}
