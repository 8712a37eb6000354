#include "base/Locations.h"
#include "client/ReleaseManifest.h"
#include "process/WineSupervisorError.h"
#include "setup/SetupFlowTest.h"
#include "setup/SteamGameFolder.h"
#include "support/ClientArchive.h"
#include "support/CommunityWorld.h"
#include "support/WineRuntimeFixture.h"

#include <QProcess>

namespace {

using namespace Qt::StringLiterals;

// A Steam download whose game sits one folder down, the fake Wine runtime,
// and the client's and the community's sites.
class FinishingTest : public SetupFlowTest
{
protected:
    const WineRuntimeFixture wine{Locations::currentRuntimeFolder()};
    const QString steamGame = SteamGameFolder::location() + u"/Command and Conquer Generals Zero Hour"_s;
    const QString game = Locations::gameFolder(Locations::managedPrefixFolder());
    CommunityWorld world{server, catalog};

    FinishingTest()
    {
        catalog.antiCheat = ClientArchive::testPins();
        world.serveRankedMaps();
        world.serveInterfacePackages();
        const QByteArray archive = ClientArchive::zip(ClientArchive::packageFiles());
        server.route(
            u"/channel/manifest.json"_s,
            FixtureResponse(200, {},
                            encodeReleaseManifest(ClientArchive::manifestFor(archive, server.url(u"/client.zip"_s)))));
        server.route(u"/client.zip"_s, FixtureResponse(200, {}, archive));
        FileTree::writeFile(steamGame + u"/Generals.exe"_s, "MZ game");
        FileTree::writeFile(steamGame + u"/Data/INIZH.big"_s, "first");
        record.load();
    }
};

TEST_F(FinishingTest, BuildsThePlayableInstallationAndCopiesTheGameAgainOnASecondRun)
{
    for (const QByteArray data : {"first", "second"}) {
        FileTree::writeFile(steamGame + u"/Data/INIZH.big"_s, data);
        await(flow.finishInstallation());
        EXPECT_EQ(operation.errorMessage(), std::nullopt);
        EXPECT_EQ(operation.installerPhase(), InstallerPhase::complete);
        EXPECT_EQ(operation.activity(), u"Velmora is ready"_s);
        EXPECT_DOUBLE_EQ(operation.progress(), 1.0);
        EXPECT_FALSE(operation.isBusy());
        EXPECT_EQ(flow.setupStep(), SetupStep::complete);
        EXPECT_EQ(FileTree::readFile(game + u"/Data/INIZH.big"_s), data) << "the download's contents, one level up";
    }
    EXPECT_EQ(FileTree::readFile(game + u"/EAC_LaunchVelmora.exe"_s), "launcher");
    EXPECT_EQ(record.state().velmoraVersion, u"1.2"_s);
    EXPECT_TRUE(QFileInfo::exists(Locations::managedMapListFile()));
    EXPECT_TRUE(QFileInfo::exists(Locations::managedPrefixFolder() + u"/system.reg"_s));
}

TEST_F(FinishingTest, GuardsStartNothing)
{
    QFile::remove(steamGame + u"/Generals.exe"_s);
    await(flow.finishInstallation());
    EXPECT_EQ(operation.errorMessage(), u"Could not locate Generals.exe in the Steam download."_s);
    QDir(Locations::currentRuntimeFolder()).removeRecursively();
    record.load();
    await(flow.finishInstallation());
    EXPECT_EQ(operation.errorMessage(), u"The Linux runtime is missing."_s);
    EXPECT_FALSE(operation.isBusy());
    EXPECT_FALSE(QFileInfo::exists(Locations::managedPrefixFolder()));
}

// The client stays installed and the step is still the finishing one, so
// the setup's button runs it all again.
TEST_F(FinishingTest, AFailureEndsTheOperationWhereItStood)
{
    server.route(CommunityWorld::rankedCommitPath, FixtureResponse(503));
    flow.beginSetup();
    flow.gameFilesDownloaded();
    await(flow.finishInstallation());
    EXPECT_TRUE(operation.errorMessage()->startsWith(u"Installation failed: "_s));
    EXPECT_EQ(operation.installerPhase(), InstallerPhase::community);
    EXPECT_EQ(flow.setupStep(), SetupStep::onlineClient);
    EXPECT_FALSE(operation.isBusy());
    EXPECT_EQ(record.state().velmoraVersion, u"1.2"_s);

    wine.setScenario("program=hang");
    QProcess running;
    running.start(wine.wine(), {u"C:\\GeneralsZH\\generals.exe"_s});
    ASSERT_TRUE(running.waitForStarted());
    await(flow.finishInstallation());
    EXPECT_EQ(operation.errorMessage(), WineSupervisorError::gameAlreadyRunning().description());
    EXPECT_EQ(operation.installerPhase(), InstallerPhase::environment);
    running.kill();
    running.waitForFinished();
}

} // namespace
