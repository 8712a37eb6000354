#include "base/Locations.h"
#include "client/ReleaseManifest.h"
#include "setup/SetupFlowTest.h"
#include "support/ClientArchive.h"
#include "support/CommunityWorld.h"
#include "support/Installation.h"
#include "support/Wait.h"
#include "support/WineRuntimeFixture.h"

namespace {

using namespace Qt::StringLiterals;

class UpdateInstallationTest : public SetupFlowTest
{
protected:
    const WineRuntimeFixture wine{Locations::currentRuntimeFolder()};
    CommunityWorld world{server, catalog};
    QSignalSpy busyChanges{&operation, &OperationState::isBusyChanged};

    UpdateInstallationTest()
    {
        catalog.antiCheat = ClientArchive::testPins();
        world.serveRankedMaps();
        world.serveInterfacePackages();
        const QByteArray archive = ClientArchive::zip(ClientArchive::packageFiles());
        server.route(u"/channel/manifest.json"_s,
                     FixtureResponse(200, {},
                                     encodeReleaseManifest(
                                         ClientArchive::manifestFor(archive, server.url(u"/client.zip"_s), u"2.0"_s))));
        server.route(u"/client.zip"_s, FixtureResponse(200, {}, archive));
        Installation::addGameFiles(Locations::managedPrefixFolder());
        record.load();
    }

    void updateAndWait()
    {
        busyChanges.clear();
        flow.installAvailableUpdate();
        ASSERT_TRUE(eventually([&] { return busyChanges.count() == 2; }));
    }
};

TEST_F(UpdateInstallationTest, InstallsTheClientAndThenTheProfile)
{
    updateAndWait();
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_EQ(operation.installerPhase(), InstallerPhase::complete);
    EXPECT_DOUBLE_EQ(operation.progress(), 1.0);
    EXPECT_EQ(operation.activity(), u"Installed 9 maps and Control Bar Pro"_s);
    EXPECT_EQ(record.state().velmoraVersion, u"2.0"_s);
    EXPECT_TRUE(QFileInfo::exists(Locations::gameMapsFolder() + u"/Velmora Arena/Velmora Arena.map"_s));
}

// The client stays installed when the profile fails after it.
TEST_F(UpdateInstallationTest, AFailedStepEndsTheUpdateWhereItStood)
{
    server.route(CommunityWorld::rankedCommitPath, FixtureResponse(404));
    updateAndWait();
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
