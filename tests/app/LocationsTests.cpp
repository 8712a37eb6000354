#include "base/Locations.h"
#include "app/ModelFixture.h"
#include "support/FileTree.h"
#include "support/Installation.h"
#include "support/ModelTestAccess.h"

#include <QFile>
#include <QSignalSpy>

using namespace Installation;
using namespace Locations;

namespace {

using Locations_ = ModelTest;

TEST_F(Locations_, ManagedRuntimeWinsOverLegacyAndNeedsAnExecutableWine)
{
    EXPECT_FALSE(model.runtimeURL());
    addRuntime(legacyRuntimeFolder());
    EXPECT_EQ(model.runtimeURL(), legacyRuntimeFolder());

    FileTree::writeFile(currentRuntimeFolder() + QStringLiteral("/bin/wine"), "not executable");
    EXPECT_EQ(model.runtimeURL(), legacyRuntimeFolder());

    addRuntime(currentRuntimeFolder());
    EXPECT_EQ(model.runtimeURL(), currentRuntimeFolder());
}

TEST_F(Locations_, EmptyManagedPrefixStillWinsOverLegacy)
{
    FileTree::makeFolder(legacyPrefixFolder());
    EXPECT_EQ(model.prefixURL(), legacyPrefixFolder());
    FileTree::makeFolder(managedPrefixFolder());
    EXPECT_EQ(model.launcherURL(), managedPrefixFolder() + QStringLiteral("/drive_c/GeneralsZH/EAC_LaunchVelmora.exe"));
}

TEST_F(Locations_, IsolationHidesTheLegacyInstallationButNotItsPresence)
{
    addRuntime(legacyRuntimeFolder());
    addLauncher(legacyPrefixFolder());
    EXPECT_TRUE(model.isReady());

    InstalledState isolated;
    isolated.lifecycleIsolationEnabled = true;
    ModelTestAccess::setState(model, isolated);
    EXPECT_FALSE(model.runtimeURL());
    EXPECT_FALSE(model.prefixURL());
    EXPECT_FALSE(model.isReady());
    EXPECT_TRUE(model.legacyInstallationPresent());
}

TEST_F(Locations_, ReadinessNeedsRuntimeAndLauncherFile)
{
    addGameFiles(managedPrefixFolder());
    addLauncher(managedPrefixFolder());
    EXPECT_FALSE(model.isReady());
    addRuntime(currentRuntimeFolder());
    EXPECT_TRUE(model.isReady());
    QFile::remove(launcherFile(managedPrefixFolder()));
    EXPECT_FALSE(model.isReady());
}

using Record = ModelTest;

TEST_F(Record, SaveThenLoadRestoresTheRecord)
{
    InstalledState state;
    state.velmoraVersion = QStringLiteral("2.0");
    state.lastCheckedAt = 12345.678;
    ModelTestAccess::setState(model, state);
    model.saveState();

    TarnholdModel reloaded{std::make_unique<FakePlatform>()};
    reloaded.loadState();
    EXPECT_EQ(reloaded.state(), state);
}

class DamagedRecord : public ModelTest, public testing::WithParamInterface<QByteArray>
{};

TEST_P(DamagedRecord, LeavesTheDefaultsAndIsReplacedByTheNextSave)
{
    writeStateFile(GetParam());
    QSignalSpy changes(&model, &TarnholdModel::stateChanged);
    model.loadState();
    EXPECT_EQ(changes.count(), 0);
    model.saveState();
    EXPECT_EQ(decodeInstalledState(readStateFile()), InstalledState{});
}

INSTANTIATE_TEST_SUITE_P(Record, DamagedRecord,
                         testing::Values(QByteArray("{}"), QByteArray(R"({"runtimeVersion": "Wine 11)"),
                                         QByteArray("\xff\xfe\x00garbage", 10), QByteArray()));

TEST_F(Record, SaveFailsSilentlyWhenTheSupportFolderCannotBeMade)
{
    FileTree::writeFile(FileTree::inHome(QStringLiteral("Library")), "in the way");
    model.saveState();
    EXPECT_TRUE(readStateFile().isEmpty());
}

} // namespace
