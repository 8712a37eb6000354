#include "base/InstallationRecord.h"
#include "base/InstalledLocations.h"
#include "base/Locations.h"
#include "base/SmallFile.h"
#include "support/FileTree.h"
#include "support/Installation.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>

#include <sys/stat.h>

using namespace Installation;
using namespace Locations;

namespace {

TEST(InstalledLocations, ManagedRuntimeWinsOverLegacyAndNeedsAnExecutableWine)
{
    EXPECT_FALSE(runtimeURL({}));
    addRuntime(legacyRuntimeFolder());
    EXPECT_EQ(runtimeURL({}), legacyRuntimeFolder());

    FileTree::writeFile(currentRuntimeFolder() + QStringLiteral("/bin/wine"), "not executable");
    EXPECT_EQ(runtimeURL({}), legacyRuntimeFolder());

    addRuntime(currentRuntimeFolder());
    EXPECT_EQ(runtimeURL({}), currentRuntimeFolder());
}

TEST(InstalledLocations, EmptyManagedPrefixStillWinsOverLegacy)
{
    FileTree::makeFolder(legacyPrefixFolder());
    EXPECT_EQ(prefixURL({}), legacyPrefixFolder());
    FileTree::makeFolder(managedPrefixFolder());
    EXPECT_EQ(launcherURL({}), managedPrefixFolder() + QStringLiteral("/drive_c/GeneralsZH/EAC_LaunchVelmora.exe"));
}

TEST(InstalledLocations, IsolationHidesTheLegacyInstallationButNotItsPresence)
{
    addRuntime(legacyRuntimeFolder());
    addLauncher(legacyPrefixFolder());
    EXPECT_TRUE(isReady({}));

    InstalledState isolated;
    isolated.lifecycleIsolationEnabled = true;
    EXPECT_FALSE(runtimeURL(isolated));
    EXPECT_FALSE(prefixURL(isolated));
    EXPECT_FALSE(isReady(isolated));
    EXPECT_TRUE(legacyInstallationPresent());
}

TEST(InstalledLocations, ReadinessNeedsRuntimeAndLauncherFile)
{
    addGameFiles(managedPrefixFolder());
    addLauncher(managedPrefixFolder());
    EXPECT_FALSE(isReady({}));
    addRuntime(currentRuntimeFolder());
    EXPECT_TRUE(isReady({}));
    QFile::remove(launcherFile(managedPrefixFolder()));
    EXPECT_FALSE(isReady({}));
}

TEST(InstallationRecord, SaveThenLoadRestoresTheRecord)
{
    InstalledState state;
    state.velmoraVersion = QStringLiteral("2.0");
    state.lastCheckedAt = 12345.678;
    InstallationRecord record;
    record.setState(state);
    record.save();

    InstallationRecord reloaded;
    reloaded.load();
    EXPECT_EQ(reloaded.state(), state);
}

// What stands where the record should be: each reads as damaged, at once.
enum class Damage { empty, noRuntimeVersion, cutShort, binary, fifo, linkToFifo, tooLarge };

class DamagedRecord : public testing::TestWithParam<Damage>
{};

TEST_P(DamagedRecord, LeavesTheDefaultsAndIsReplacedByTheNextSave)
{
    switch (GetParam()) {
    case Damage::empty:
        writeStateFile({});
        break;
    case Damage::noRuntimeVersion:
        writeStateFile("{}");
        break;
    case Damage::cutShort:
        writeStateFile(R"({"runtimeVersion": "Wine 11)");
        break;
    case Damage::binary:
        writeStateFile(QByteArray("\xff\xfe\x00garbage", 10));
        break;
    case Damage::fifo:
        FileTree::makeFolder(supportFolder());
        ASSERT_EQ(mkfifo(QFile::encodeName(stateFile()).constData(), 0600), 0);
        break;
    case Damage::linkToFifo:
        ASSERT_EQ(mkfifo(QFile::encodeName(FileTree::inHome(QStringLiteral("fifo"))).constData(), 0600), 0);
        FileTree::makeSymlink(FileTree::inHome(QStringLiteral("fifo")), stateFile());
        break;
    case Damage::tooLarge:
        writeStateFile(R"({"runtimeVersion": ")" + QByteArray(recordSizeLimit, 'x') + R"("})");
        break;
    }
    InstallationRecord record;
    QSignalSpy changes(&record, &InstallationRecord::stateChanged);
    record.load();
    EXPECT_EQ(changes.count(), 0);
    record.save();
    EXPECT_EQ(decodeInstalledState(readStateFile()), InstalledState{});
}

INSTANTIATE_TEST_SUITE_P(Record, DamagedRecord,
                         testing::Values(Damage::empty, Damage::noRuntimeVersion, Damage::cutShort, Damage::binary,
                                         Damage::fifo, Damage::linkToFifo, Damage::tooLarge));

TEST(InstallationRecord, SaveFailsSilentlyWhenTheSupportFolderCannotBeMade)
{
    FileTree::writeFile(FileTree::inHome(QStringLiteral("Library")), "in the way");
    InstallationRecord().save();
    EXPECT_TRUE(readStateFile().isEmpty());
}

TEST(SmallFile, ReadsARegularFileUpToTheLimitThroughLinks)
{
    const QString file = FileTree::inHome(QStringLiteral("list.json"));
    FileTree::writeFile(file, "12345");
    FileTree::makeSymlink(file, FileTree::inHome(QStringLiteral("link.json")));
    EXPECT_EQ(readSmallFile(FileTree::inHome(QStringLiteral("link.json")), 5), QByteArray("12345"));
    EXPECT_EQ(readSmallFile(file, 4), std::nullopt);
    EXPECT_EQ(readSmallFile(FileTree::home(), 4096), std::nullopt) << "a folder";
    EXPECT_EQ(readSmallFile(FileTree::inHome(QStringLiteral("missing")), 5), std::nullopt);
    FileTree::makeSymlink(QStringLiteral("/dev/zero"), FileTree::inHome(QStringLiteral("zero")));
    EXPECT_EQ(readSmallFile(FileTree::inHome(QStringLiteral("zero")), 5), std::nullopt);
}

} // namespace
