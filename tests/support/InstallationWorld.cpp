#include "support/InstallationWorld.h"

#include "client/ReleaseManifest.h"
#include "support/ClientArchive.h"
#include "support/CommunityWorld.h"
#include "support/FileTree.h"
#include "support/SteamCmdFixture.h"
#include "support/TestServices.h"

#include <QDir>

namespace {

using namespace Qt::StringLiterals;

QMap<QString, QByteArray> clientFiles(bool windowsPrograms)
{
    QMap<QString, QByteArray> files = ClientArchive::packageFiles();
#ifdef TARNHOLD_WINDOWS_STAND_INS
    if (windowsPrograms) {
        const QDir standIns(QStringLiteral(TARNHOLD_WINDOWS_STAND_INS));
        files.insert(u"Velmora/EAC_LaunchVelmora.exe"_s, FileTree::readFile(standIns.filePath(u"Launcher.exe"_s)));
        files.insert(u"Velmora/EasyAntiCheat_EOS_Setup.exe"_s,
                     FileTree::readFile(standIns.filePath(u"AntiCheatInstaller.exe"_s)));
    }
#else
    Q_UNUSED(windowsPrograms)
#endif
    return files;
}

} // namespace

InstallationWorld::InstallationWorld(bool windowsPrograms)
    : m_client(ClientArchive::zip(clientFiles(windowsPrograms)))
    , m_catalog(TestServices::catalogAt(m_server))
{
    m_catalog.antiCheat = ClientArchive::testPins();
    CommunityWorld community(m_server, m_catalog);
    community.serveRankedMaps();
    community.serveThreePlayerMaps();
    community.serveInterfacePackages();
    m_server.route(
        u"/channel/manifest.json"_s,
        FixtureResponse(200, {},
                        encodeReleaseManifest(ClientArchive::manifestFor(m_client, m_server.url(u"/client.zip"_s)))));
    m_server.route(u"/client.zip"_s, FixtureResponse(200, {}, m_client));
    serveSteamCmd(SteamCmdFixture::archive());
}

void InstallationWorld::serveSteamCmd(const QByteArray &archive)
{
    m_server.route(u"/valve/client/installer/steamcmd_linux.tar.gz"_s, FixtureResponse(200, {}, archive));
}

bool InstallationWorld::hasWindowsPrograms()
{
#ifdef TARNHOLD_WINDOWS_STAND_INS
    return true;
#else
    return false;
#endif
}
