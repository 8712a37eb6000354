#include "app/Locations.h"
#include "app/ModelFixture.h"
#include "support/FileTree.h"
#include "support/Installation.h"
#include "support/ModelTestAccess.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

using namespace Installation;

namespace {

using Locations_ = ModelTest;

void isolate(TarnholdModel &model)
{
    InstalledState state;
    state.lifecycleIsolationEnabled = true;
    ModelTestAccess::setState(model, state);
}

TEST_F(Locations_, NothingInstalledGivesNoLocations)
{
    EXPECT_FALSE(model.runtimeURL());
    EXPECT_FALSE(model.prefixURL());
    EXPECT_FALSE(model.launcherURL());
    EXPECT_FALSE(model.legacyInstallationPresent());
    EXPECT_FALSE(model.isReady());
}

TEST_F(Locations_, ManagedRuntimeWinsOverLegacyAndNeedsAnExecutableWine)
{
    addRuntime(Locations::legacyRuntimeFolder());
    EXPECT_EQ(model.runtimeURL(), Locations::legacyRuntimeFolder());

    FileTree::writeFile(Locations::currentRuntimeFolder() + QStringLiteral("/bin/wine"), "not executable");
    EXPECT_EQ(model.runtimeURL(), Locations::legacyRuntimeFolder()) << "a non-executable wine does not count";

    addRuntime(Locations::currentRuntimeFolder());
    EXPECT_EQ(model.runtimeURL(), Locations::currentRuntimeFolder());
}

TEST_F(Locations_, AFolderNamedWineIsNoRuntime)
{
    FileTree::makeFolder(Locations::currentRuntimeFolder() + QStringLiteral("/bin/wine"));
    EXPECT_FALSE(model.runtimeURL());
}

TEST_F(Locations_, EmptyManagedPrefixStillWinsOverLegacy)
{
    FileTree::makeFolder(Locations::legacyPrefixFolder());
    EXPECT_EQ(model.prefixURL(), Locations::legacyPrefixFolder());
    FileTree::makeFolder(Locations::managedPrefixFolder());
    EXPECT_EQ(model.prefixURL(), Locations::managedPrefixFolder());
    EXPECT_EQ(model.launcherURL(),
              Locations::managedPrefixFolder() + QStringLiteral("/drive_c/GeneralsZH/EAC_LaunchVelmora.exe"));
}

TEST_F(Locations_, IsolationHidesTheLegacyInstallationButNotItsPresence)
{
    addRuntime(Locations::legacyRuntimeFolder());
    addLauncher(Locations::legacyPrefixFolder());
    EXPECT_TRUE(model.isReady());

    isolate(model);
    EXPECT_FALSE(model.runtimeURL());
    EXPECT_FALSE(model.prefixURL());
    EXPECT_FALSE(model.isReady());
    EXPECT_TRUE(model.legacyInstallationPresent());

    addRuntime(Locations::currentRuntimeFolder());
    FileTree::makeFolder(Locations::managedPrefixFolder());
    EXPECT_EQ(model.runtimeURL(), Locations::currentRuntimeFolder())
        << "isolation never hides the managed installation";
    EXPECT_EQ(model.prefixURL(), Locations::managedPrefixFolder());
}

TEST_F(Locations_, ReadinessNeedsRuntimeAndLauncherFile)
{
    addGameFiles(Locations::managedPrefixFolder());
    addLauncher(Locations::managedPrefixFolder());
    EXPECT_FALSE(model.isReady()) << "no runtime";

    addRuntime(Locations::currentRuntimeFolder());
    EXPECT_TRUE(model.isReady());

    QFile::remove(Locations::launcherFile(Locations::managedPrefixFolder()));
    EXPECT_FALSE(model.isReady()) << "prefix without launcher";
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

TEST_F(Record, DefaultsSaveAsASingleKey)
{
    model.saveState();
    EXPECT_EQ(QJsonDocument::fromJson(readStateFile()).object().keys(), QStringList{QStringLiteral("runtimeVersion")});
}

class DamagedRecord : public ModelTest, public testing::WithParamInterface<QByteArray>
{};

TEST_P(DamagedRecord, LeavesTheDefaultsAndIsReplacedByTheNextSave)
{
    writeStateFile(GetParam());
    int changes = 0;
    QObject::connect(&model, &TarnholdModel::stateChanged, [&changes] { ++changes; });
    model.loadState();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(model.state(), InstalledState{});

    model.saveState();
    EXPECT_TRUE(decodeInstalledState(readStateFile()));
}

INSTANTIATE_TEST_SUITE_P(Record, DamagedRecord,
                         testing::Values(QByteArray("{}"), QByteArray(R"({"runtimeVersion": "Wine 11)"),
                                         QByteArray(R"({"runtimeVersion": true})"),
                                         QByteArray("\xff\xfe\x00garbage", 10), QByteArray()));

TEST_F(Record, SaveFailsSilentlyWhenTheSupportFolderCannotBeMade)
{
    // A file where the Library folder should be blocks every save.
    FileTree::writeFile(FileTree::inHome(QStringLiteral("Library")), "in the way");
    model.saveState();
    EXPECT_TRUE(readStateFile().isEmpty());
    EXPECT_EQ(model.state(), InstalledState{});
}

TEST_F(Record, UnreadableRecordIsIgnored)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    writeStateFile(R"({"runtimeVersion": "Other"})");
    QFile::setPermissions(Locations::stateFile(), QFile::WriteOwner);
    model.loadState();
    EXPECT_EQ(model.state(), InstalledState{});
}

} // namespace
