#include "SetupFlowTest.h"
#include "base/Locations.h"
#include "support/Installation.h"

#include <QDir>

using namespace FileTree;

namespace {

const QString steamCmdFailed = QStringLiteral("SteamCMD setup failed: ");

class SteamCmdInstallation : public SetupFlowTest
{
protected:
    const QString folder = QDir(Locations::supportFolder()).filePath(QStringLiteral("SteamCMD"));
    const QString archive = folder + QStringLiteral("/steamcmd_linux.tar.gz");
};

// Every run downloads and unpacks again over the earlier copy, keeps the
// archive, and leaves what SteamCMD added to its folder.
TEST_F(SteamCmdInstallation, UnpacksOverTheEarlierCopyAndKeepsTheArchive)
{
    writeFile(folder + QStringLiteral("/steamcmd.sh"), "old");
    writeFile(folder + QStringLiteral("/package/updated"));
    // A link in the archive's place is replaced, not written through.
    const QString elsewhere = inHome(QStringLiteral("elsewhere.tar.gz"));
    writeFile(elsewhere, "not Tarnhold's");
    makeSymlink(elsewhere, archive);
    const QByteArray served = serveSteamCmd("#!/bin/sh\nexit 0\n");

    await(flow.prepareSteamCMD());
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_EQ(flow.setupStep(), SetupStep::gameFiles);
    EXPECT_EQ(operation.progress(), 1.0);
    EXPECT_EQ(operation.activity(), QStringLiteral("Preparing SteamCMD…"));
    EXPECT_EQ(busyChanges.count(), 2);
    EXPECT_EQ(readAll(folder + QStringLiteral("/steamcmd.sh")), "#!/bin/sh\nexit 0\n");
    EXPECT_TRUE(isExecutableFile(folder + QStringLiteral("/steamcmd.sh")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/linux32/steamcmd")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/package/updated")));
    EXPECT_FALSE(QFileInfo(archive).isSymLink());
    EXPECT_EQ(readAll(archive), served);
    EXPECT_EQ(readAll(elsewhere), "not Tarnhold's");
}

TEST_F(SteamCmdInstallation, AnUnusableDownloadKeepsTheStepAndUnpacksNothing)
{
    Installation::addRuntime(Locations::currentRuntimeFolder());
    await(flow.checkMac());
    for (const auto &[status, body] : {std::pair{404, QByteArray("Not Found")}, std::pair{200, QByteArray("<html>")}}) {
        server.route(steamCmdPath, {status, {}, body});
        await(flow.prepareSteamCMD());
        EXPECT_FALSE(operation.isBusy());
        EXPECT_EQ(flow.setupStep(), SetupStep::steam);
        const QString message = operation.errorMessage().value_or(QString());
        if (status == 404) {
            EXPECT_EQ(message, steamCmdFailed + QStringLiteral("The server returned a response Tarnhold cannot read."));
            EXPECT_TRUE(QDir(folder).isEmpty());
        } else {
            // tar's own words follow the prefix.
            EXPECT_TRUE(message.startsWith(steamCmdFailed) && message.contains(u"not look like a tar archive"))
                << message.toStdString();
        }
    }
}

} // namespace
