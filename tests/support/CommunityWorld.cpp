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

void CommunityWorld::serveRankedMaps(const QStringList &maps)
{
    serveRankedMaps(rankedArchive({{QStringLiteral("maps_1v1_zh"), maps}}));
}

void CommunityWorld::serveRankedMaps(const QByteArray &archive)
{
    m_server.route(rankedCommitPath, FixtureResponse(200, {}, QStringLiteral(R"({"sha":"%1"})").arg(commit).toUtf8()));
    serve(rankedArchivePath, archive);
}

QByteArray CommunityWorld::rankedArchive(const RankedRelease &release, const QString &releaseName)
{
    const QString root = QStringLiteral("GeneralsRankedMaps-%1/").arg(commit);
    const QString top = root + releaseName + u'/';
    QMap<QString, QByteArray> files{{root + QStringLiteral("README.md"), "Ranked maps"},
                                    {top + QStringLiteral("maps_1v1_zh/Notes/readme.txt"), "notes"},
                                    {top + QStringLiteral("maps_1v1_zh/Kilo/.old/Kilo.map"), "hidden"}};
    for (const auto &[folder, maps] : release) {
        for (const QString &map : maps)
            files.insert(QStringLiteral("%1%2/%3/%3.map").arg(top, folder, map), folder.toUtf8());
    }
    return ClientArchive::zip(files);
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
        // The second map sits deeper in a folder of another name, its file's
        // extension in capitals: the table's name is the one installed.
        const QByteArray archive =
            item == 1 ? mapArchive(name, QStringLiteral("pack/") + name)
                      : ClientArchive::zip({{QStringLiteral("pack/deeper/Old Name/%1.MAP").arg(name), name.toUtf8()}});
        m_catalog.threePlayerMaps.append({item, name, serve(filePath(item), archive)});
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
    for (const auto &[resolution, pin] : variants)
        *pin = serve(interfacePath(resolution), interfaceArchive(resolution));
    m_catalog.controlBar.genTool =
        serve(genToolPath, ClientArchive::zip({{QStringLiteral("GenTool/bin/d3d8.dll"), "GenTool"}}));
}

QByteArray CommunityWorld::interfaceArchive(const QString &resolution, const QStringList &leftOut)
{
    QMap<QString, QByteArray> files;
    // The files every variant shares hold the same bytes in each.
    for (const QString &name : controlBarPackage(resolution).files) {
        if (!leftOut.contains(name))
            files.insert(name, name.toUtf8());
    }
    return ClientArchive::zip(files);
}

QString CommunityWorld::interfacePath(const QString &resolution)
{
    return QStringLiteral("/gentool/download/controlbarpro/1.2/") + controlBarPackage(resolution).archiveName;
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
