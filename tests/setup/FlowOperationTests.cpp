#include "base/Locations.h"
#include "client/ReleaseManifest.h"
#include "process/WineSupervisorError.h"
#include "setup/SetupFlowTest.h"
#include "setup/SteamGameFolder.h"
#include "support/ClientArchive.h"
#include "support/CommunityWorld.h"
#include "support/Installation.h"
#include "support/Wait.h"
#include "support/WineRuntimeFixture.h"

#include <QProcess>

namespace {

using namespace Qt::StringLiterals;

// The operations the flow drives through several controllers: the fake Wine
// runtime, the community's sites and, once published, the client's release.
class FlowOperationTest : public SetupFlowTest
{
protected:
    const WineRuntimeFixture wine{Locations::currentRuntimeFolder()};
    const QString game = Locations::gameFolder(Locations::managedPrefixFolder());
    CommunityWorld world{server, catalog};
    QSignalSpy busyChanges{&operation, &OperationState::isBusyChanged};

    FlowOperationTest() { catalog.antiCheat = ClientArchive::testPins(); }

    // A client release of version, and the ranked maps and interface
    // packages its profile needs.
    void publishClient(const QString &version)
    {
        world.serveRankedMaps();
        world.serveInterfacePackages();
        const QByteArray archive = ClientArchive::zip(ClientArchive::packageFiles());
        server.route(u"/channel/manifest.json"_s,
                     FixtureResponse(200, {},
                                     encodeReleaseManifest(
                                         ClientArchive::manifestFor(archive, server.url(u"/client.zip"_s), version))));
        server.route(u"/client.zip"_s, FixtureResponse(200, {}, archive));
    }

    // Starts a user operation and waits for its end.
    void runToEnd(void (SetupFlow::*start)())
    {
        busyChanges.clear();
        (flow.*start)();
        ASSERT_TRUE(eventually([&] { return busyChanges.count() == 2; }));
    }
};

// A Steam download whose game sits one folder down.
class FinishingTest : public FlowOperationTest
{
protected:
    const QString steamGame = SteamGameFolder::location() + u"/Command and Conquer Generals Zero Hour"_s;

    FinishingTest()
    {
        publishClient(u"1.2"_s);
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

// Without an installation the setup opens instead.
TEST_F(FlowOperationTest, RepairRestoresTheProfileAndReinstallsTheAntiCheatOnceTheLauncherAndGameAreThere)
{
    world.serveEverything();
    Installation::addGameFiles(Locations::managedPrefixFolder());
    Installation::addLauncher(Locations::managedPrefixFolder());
    const QMap<QString, QByteArray> package = ClientArchive::packageFiles();
    for (const QString &file : {u"EasyAntiCheat_EOS_Setup.exe"_s, u"EasyAntiCheat/Settings.json"_s})
        FileTree::writeFile(QDir(game).filePath(file), package.value(u"Velmora/"_s + file));
    record.load();
    runToEnd(&SetupFlow::repair);
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_EQ(operation.activity(), u"Repair complete"_s);
    EXPECT_EQ(operation.installerPhase(), InstallerPhase::complete);
    EXPECT_TRUE(QFileInfo::exists(Locations::managedMapListFile()));
    EXPECT_EQ(wine.recorded(u"wine-arguments"_s),
              QStringList(game + u"/EasyAntiCheat_EOS_Setup.exe\tinstall\t"_s + QString(32, u'1')));

    QFile::remove(game + u"/Generals.exe"_s);
    runToEnd(&SetupFlow::repair);
    EXPECT_EQ(operation.errorMessage(),
              u"Repair failed: The file “Generals.exe” couldn’t be opened because there is no such file."_s);
    EXPECT_EQ(operation.installerPhase(), InstallerPhase::preparing);
    EXPECT_DOUBLE_EQ(operation.progress(), 0.15);

    QDir(Locations::supportFolder()).removeRecursively();
    record.load();
    operation.setErrorMessage(std::nullopt);
    busyChanges.clear();
    QSignalSpy opened(&flow, &SetupFlow::setupOpened);
    flow.repair();
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(busyChanges.count(), 0);
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
}

class UpdateTest : public FlowOperationTest
{
protected:
    UpdateTest()
    {
        publishClient(u"2.0"_s);
        Installation::addGameFiles(Locations::managedPrefixFolder());
        record.load();
    }
};

TEST_F(UpdateTest, InstallsTheClientAndThenTheProfile)
{
    runToEnd(&SetupFlow::installAvailableUpdate);
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_EQ(operation.installerPhase(), InstallerPhase::complete);
    EXPECT_DOUBLE_EQ(operation.progress(), 1.0);
    EXPECT_EQ(operation.activity(), u"Installed 9 maps and Control Bar Pro"_s);
    EXPECT_EQ(record.state().velmoraVersion, u"2.0"_s);
    EXPECT_TRUE(QFileInfo::exists(Locations::gameMapsFolder() + u"/Velmora Arena/Velmora Arena.map"_s));
}

// The client stays installed when the profile fails after it.
TEST_F(UpdateTest, AFailedStepEndsTheUpdateWhereItStood)
{
    server.route(CommunityWorld::rankedCommitPath, FixtureResponse(404));
    runToEnd(&SetupFlow::installAvailableUpdate);
    EXPECT_TRUE(operation.errorMessage()->startsWith(u"Update failed: "_s));
    EXPECT_EQ(operation.installerPhase(), InstallerPhase::community);
    EXPECT_EQ(record.state().velmoraVersion, u"2.0"_s);

    QDir(Locations::managedPrefixFolder()).removeRecursively();
    record.load();
    busyChanges.clear();
    flow.installAvailableUpdate();
    EXPECT_EQ(operation.errorMessage(), u"The current installation is incomplete."_s);
    EXPECT_EQ(busyChanges.count(), 0);
}

} // namespace
