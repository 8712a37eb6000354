#include "SetupFlowTest.h"
#include "base/Locations.h"

#include <QDir>

using namespace FileTree;

namespace {

class RuntimeInstallation : public SetupFlowTest
{
protected:
    const QString installed = Locations::currentRuntimeFolder();

    // A runtime folder in the home, marked with the file marker.
    static QString runtimeFolder(const QString &name, const QString &marker)
    {
        writeExecutable(inHome(name + QStringLiteral("/bin/wine")));
        writeFile(inHome(name + u'/' + marker));
        return inHome(name);
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
// the archive, whose entries sit below one top-level folder.
TEST_F(RuntimeInstallation, InstallsTheFolderOrElseTheArchiveInPlaceOfTheOldRuntime)
{
    for (const auto &[folder, archive] : {std::pair{false, true}, std::pair{true, true}, std::pair{true, false}}) {
        SCOPED_TRACE(testing::Message() << "folder " << folder << ", archive " << archive);
        QDir(platform.resources).removeRecursively();
        if (folder)
            runtimeFolder(QStringLiteral("Resources/Runtime"), QStringLiteral("from-folder"));
        if (archive)
            pack(platform.resources + QStringLiteral("/runtime-sse2-full.tar.xz"),
                 QFileInfo(runtimeFolder(QStringLiteral("top"), QStringLiteral("from-archive"))).path(),
                 QStringLiteral("top"));
        writeFile(installed + QStringLiteral("/stale"));
        await(flow.installRuntime());
        EXPECT_EQ(operation.errorMessage(), std::nullopt);
        EXPECT_EQ(flow.setupStep(), SetupStep::steam);
        EXPECT_EQ(operation.activity(), QStringLiteral("Installing the free Wine runtime…"));
        EXPECT_EQ(operation.installerPhase(), InstallerPhase::environment);
        EXPECT_TRUE(isExecutableFile(installed + QStringLiteral("/bin/wine")));
        EXPECT_EQ(installedHas(QStringLiteral("from-folder")), folder);
        EXPECT_EQ(installedHas(QStringLiteral("from-archive")), !folder);
        EXPECT_FALSE(installedHas(QStringLiteral("stale")));
    }
}

// An earlier runtime that is a link goes; what it points to is not Tarnhold's.
TEST_F(RuntimeInstallation, RemovesALinkedRuntimeWithoutEmptyingItsTarget)
{
    runtimeFolder(QStringLiteral("Resources/Runtime"), QStringLiteral("from-folder"));
    makeSymlink(runtimeFolder(QStringLiteral("Elsewhere"), QStringLiteral("keep")), installed);
    await(flow.installRuntime());
    EXPECT_FALSE(QFileInfo(installed).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(inHome(QStringLiteral("Elsewhere/keep"))));
    EXPECT_FALSE(installedHas(QStringLiteral("keep")));
}

TEST_F(RuntimeInstallation, AFailedUnpackingKeepsTheStep)
{
    writeFile(platform.resources + QStringLiteral("/runtime-sse2-full.tar.xz"), "not an archive");
    await(flow.installRuntime());
    EXPECT_FALSE(operation.isBusy());
    EXPECT_EQ(flow.setupStep(), SetupStep::checkMac);
    // tar's own words follow the prefix.
    const QString message = operation.errorMessage().value_or(QString());
    EXPECT_TRUE(message.startsWith(QStringLiteral("Runtime installation failed: "))
                && message.contains(u"not look like a tar archive"))
        << message.toStdString();
}

} // namespace
