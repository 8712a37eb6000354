#include "SetupFlowTest.h"
#include "base/Locations.h"

#include <QDir>
#include <QFile>

using namespace FileTree;

namespace {

const QString runtimeFailed = QStringLiteral("Runtime installation failed: ");

class RuntimeInstallation : public SetupFlowTest
{
protected:
    const QString installed = Locations::currentRuntimeFolder();

    // A runtime folder named name in the home, marked with the file marker.
    static QString runtimeFolder(const QString &name, const QString &marker)
    {
        const QString folder = inHome(name);
        writeExecutable(folder + QStringLiteral("/bin/wine"));
        writeFile(folder + u'/' + marker);
        return folder;
    }
    void addResourceFolder() { runtimeFolder(QStringLiteral("Resources/Runtime"), QStringLiteral("from-folder")); }
    void addResourceArchive()
    {
        pack(platform.resources + QStringLiteral("/runtime-sse2-full.tar.xz"),
             runtimeFolder(QStringLiteral("runtime-sse2-full"), QStringLiteral("from-archive")), true);
    }
    bool installedHas(const QString &item) const { return QFileInfo::exists(QDir(installed).filePath(item)); }
};

TEST_F(RuntimeInstallation, WithoutAUsableResourceTheBuildSaysSoAndStaysIdle)
{
    writeFile(platform.resources + QStringLiteral("/Runtime/bin/wine"), "not executable");
    await(flow.installRuntime());
    EXPECT_EQ(operation.errorMessage(),
              QStringLiteral("This development build does not contain the redistributable runtime yet. The proven "
                             "local runtime remains available, but a public package needs the runtime artifact "
                             "bundled and notarized."));
    EXPECT_EQ(busyChanges.count(), 0);
    EXPECT_FALSE(QFileInfo::exists(installed));
}

// Each form replaces the earlier runtime as a whole; the folder wins over
// the archive.
TEST_F(RuntimeInstallation, InstallsTheFolderOrElseTheArchiveInPlaceOfTheOldRuntime)
{
    for (const auto &[folder, archive] : {std::pair{false, true}, std::pair{true, true}, std::pair{true, false}}) {
        QDir(platform.resources).removeRecursively();
        if (folder)
            addResourceFolder();
        if (archive)
            addResourceArchive();
        writeFile(installed + QStringLiteral("/stale"));
        SCOPED_TRACE(testing::Message() << "folder " << folder << ", archive " << archive);
        await(flow.installRuntime());
        EXPECT_EQ(operation.errorMessage(), std::nullopt);
        EXPECT_EQ(flow.setupStep(), SetupStep::steam);
        EXPECT_EQ(operation.activity(), QStringLiteral("Installing the free Wine runtime…"));
        EXPECT_EQ(operation.installerPhase(), InstallerPhase::environment);
        EXPECT_EQ(operation.progress(), 1.0);
        EXPECT_TRUE(isExecutableFile(installed + QStringLiteral("/bin/wine")));
        EXPECT_EQ(installedHas(QStringLiteral("from-folder")), folder);
        EXPECT_EQ(installedHas(QStringLiteral("from-archive")), !folder);
        EXPECT_FALSE(installedHas(QStringLiteral("stale")));
    }
    EXPECT_EQ(busyChanges.count(), 6);
}

// An earlier runtime that is a link goes; what it points to is not Tarnhold's.
TEST_F(RuntimeInstallation, RemovesALinkedRuntimeWithoutEmptyingItsTarget)
{
    addResourceFolder();
    const QString elsewhere = runtimeFolder(QStringLiteral("Elsewhere"), QStringLiteral("keep"));
    makeSymlink(elsewhere, installed);
    await(flow.installRuntime());
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_FALSE(QFileInfo(installed).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(elsewhere + QStringLiteral("/keep")));
    EXPECT_FALSE(installedHas(QStringLiteral("keep")));
}

TEST_F(RuntimeInstallation, AFailedUnpackingKeepsTheStep)
{
    await(flow.checkMac());
    writeFile(platform.resources + QStringLiteral("/runtime-sse2-full.tar.xz"), "not an archive");
    await(flow.installRuntime());
    EXPECT_FALSE(operation.isBusy());
    // tar's own words follow the prefix.
    const QString message = operation.errorMessage().value_or(QString());
    EXPECT_TRUE(message.startsWith(runtimeFailed) && message.contains(u"not look like a tar archive"))
        << message.toStdString();
    EXPECT_EQ(flow.setupStep(), SetupStep::runtime);
}

} // namespace
