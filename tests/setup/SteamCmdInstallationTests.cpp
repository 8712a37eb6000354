#include "SetupFlowTest.h"
#include "base/Locations.h"

using namespace FileTree;
using namespace Qt::StringLiterals;

namespace {

// Every run downloads and unpacks again over the earlier copy, keeps the
// archive, and leaves what SteamCMD added to its folder. A link in the
// archive's place is replaced, not written through.
TEST_F(SetupFlowTest, SteamCmdUnpacksOverTheEarlierCopyAndKeepsTheArchive)
{
    const QString folder = Locations::supportFolder() + u"/SteamCMD"_s;
    const QString elsewhere = inHome(u"elsewhere.tar.gz"_s);
    writeFile(folder + u"/steamcmd.sh"_s, "old");
    writeFile(folder + u"/package/updated"_s);
    writeFile(elsewhere, "not Tarnhold's");
    makeSymlink(elsewhere, folder + u"/steamcmd_linux.tar.gz"_s);
    serveSteamCmd();
    await(flow.prepareSteamCMD());
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_EQ(flow.setupStep(), SetupStep::gameFiles);
    EXPECT_EQ(operation.activity(), u"Preparing SteamCMD…"_s);
    EXPECT_TRUE(isExecutableFile(folder + u"/steamcmd.sh"_s));
    EXPECT_TRUE(QFileInfo::exists(folder + u"/package/updated"_s));
    EXPECT_EQ(readFile(folder + u"/steamcmd_linux.tar.gz"_s), SteamCmdFixture::archive());
    EXPECT_EQ(readFile(elsewhere), "not Tarnhold's");
}

} // namespace
