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

using namespace Qt::StringLiterals;

// Isolation hides the legacy installation but not its presence; managed
// folders win over legacy ones, a runtime needing an executable wine and a
// prefix only existing; readiness needs a runtime and the launcher file.
TEST(InstalledLocations, ManagedFoldersWinOverLegacyOnesUnlessIsolated)
{
    EXPECT_FALSE(runtimeURL({}));
    addRuntime(legacyRuntimeFolder());
    addLauncher(legacyPrefixFolder());
    EXPECT_EQ(runtimeURL({}), legacyRuntimeFolder());
    EXPECT_EQ(prefixURL({}), legacyPrefixFolder());
    EXPECT_TRUE(isReady({}));
    InstalledState isolated;
    isolated.lifecycleIsolationEnabled = true;
    EXPECT_FALSE(runtimeURL(isolated));
    EXPECT_FALSE(prefixURL(isolated));
    EXPECT_TRUE(legacyInstallationPresent());

    FileTree::writeFile(currentRuntimeFolder() + u"/bin/wine"_s, "not executable");
    FileTree::makeFolder(managedPrefixFolder());
    EXPECT_EQ(runtimeURL({}), legacyRuntimeFolder());
    EXPECT_EQ(launcherURL({}), managedPrefixFolder() + u"/drive_c/GeneralsZH/EAC_LaunchVelmora.exe"_s);
    EXPECT_FALSE(isReady({}));
    addLauncher(managedPrefixFolder());
    EXPECT_FALSE(isReady(isolated)) << "no runtime left";
    addRuntime(currentRuntimeFolder());
    EXPECT_EQ(runtimeURL(isolated), currentRuntimeFolder());
    EXPECT_TRUE(isReady(isolated));
}

// What stands where the record should be reads as damaged, at once; the next
// save replaces it with a regular file. Damaged contents are the codec's.
TEST(InstallationRecord, AnUnreadableRecordLeavesTheDefaultsAndIsReplaced)
{
    const QString fifo = FileTree::inHome(u"fifo"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const std::function<void()> damages[] = {
        [] { writeStateFile(R"({"runtimeVersion": ")" + QByteArray(recordSizeLimit, 'x') + R"("})"); },
        [&] { FileTree::makeSymlink(fifo, stateFile()); },
        [] { FileTree::makeSymlink(FileTree::home(), stateFile()); },
    };
    for (const std::function<void()> &damage : damages) {
        QFile::remove(stateFile());
        damage();
        InstallationRecord record;
        QSignalSpy changes(&record, &InstallationRecord::stateChanged);
        record.load();
        EXPECT_EQ(changes.count(), 0);
        record.save();
        EXPECT_EQ(decodeInstalledState(readStateFile()), InstalledState{});
    }
}

TEST(SmallFile, ReadsARegularFileUpToTheLimitThroughLinks)
{
    const QString file = FileTree::inHome(u"list.json"_s);
    FileTree::writeFile(file, "12345");
    FileTree::makeSymlink(file, FileTree::inHome(u"link.json"_s));
    EXPECT_EQ(readSmallFile(FileTree::inHome(u"link.json"_s), 5), QByteArray("12345"));
    EXPECT_EQ(readSmallFile(file, 4), std::nullopt);
}

} // namespace
