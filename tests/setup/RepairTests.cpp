#include "base/Locations.h"
#include "setup/SetupFlowTest.h"
#include "support/ClientArchive.h"
#include "support/CommunityWorld.h"
#include "support/Installation.h"
#include "support/Wait.h"
#include "support/WineRuntimeFixture.h"

#include <QDir>

namespace {

using namespace Qt::StringLiterals;

class RepairTest : public SetupFlowTest
{
protected:
    const QString game = Locations::gameFolder(Locations::managedPrefixFolder());
    const WineRuntimeFixture wine{Locations::currentRuntimeFolder()};
    QSignalSpy busyChanges{&operation, &OperationState::isBusyChanged};
    CommunityWorld world{server, catalog};

    RepairTest()
    {
        world.serveEverything();
        catalog.antiCheat = ClientArchive::testPins();
        Installation::addGameFiles(Locations::managedPrefixFolder());
        Installation::addLauncher(Locations::managedPrefixFolder());
        const QMap<QString, QByteArray> package = ClientArchive::packageFiles();
        for (const QString &file : {u"EasyAntiCheat_EOS_Setup.exe"_s, u"EasyAntiCheat/Settings.json"_s})
            FileTree::writeFile(QDir(game).filePath(file), package.value(u"Velmora/"_s + file));
        record.load();
    }

    void repairAndWait()
    {
        busyChanges.clear();
        flow.repair();
        ASSERT_TRUE(eventually([&] { return busyChanges.count() == 2; }));
    }
};

// Without an installation the setup opens instead.
TEST_F(RepairTest, RestoresTheProfileAndReinstallsTheAntiCheatOnceTheLauncherAndGameAreThere)
{
    repairAndWait();
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_EQ(operation.activity(), u"Repair complete"_s);
    EXPECT_EQ(operation.installerPhase(), InstallerPhase::complete);
    EXPECT_TRUE(QFileInfo::exists(Locations::managedMapListFile()));
    EXPECT_EQ(wine.recorded(u"wine-arguments"_s),
              QStringList(game + u"/EasyAntiCheat_EOS_Setup.exe\tinstall\t"_s + QString(32, u'1')));

    QFile::remove(game + u"/Generals.exe"_s);
    repairAndWait();
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

} // namespace
