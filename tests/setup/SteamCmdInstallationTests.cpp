#include "SetupFlowTest.h"
#include "base/Locations.h"

#include <QDir>

using namespace FileTree;

namespace {

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
    EXPECT_EQ(operation.activity(), QStringLiteral("Preparing SteamCMD…"));
    EXPECT_EQ(readAll(folder + QStringLiteral("/steamcmd.sh")), "#!/bin/sh\nexit 0\n");
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/linux32/steamcmd")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/package/updated")));
    EXPECT_FALSE(QFileInfo(archive).isSymLink());
    EXPECT_EQ(readAll(archive), served);
    EXPECT_EQ(readAll(elsewhere), "not Tarnhold's");
}

// The 404 is in the setup flow's tests; any body that is not the archive is
// tar's to describe.
TEST_F(SteamCmdInstallation, ABodyThatIsNoArchiveFailsTheStep)
{
    server.route(steamCmdPath, {200, {}, "<html>"});
    await(flow.prepareSteamCMD());
    EXPECT_FALSE(operation.isBusy());
    EXPECT_EQ(flow.setupStep(), SetupStep::checkMac);
    const QString message = operation.errorMessage().value_or(QString());
    EXPECT_TRUE(message.startsWith(QStringLiteral("SteamCMD setup failed: "))
                && message.contains(u"not look like a tar archive"))
        << message.toStdString();
}

} // namespace
