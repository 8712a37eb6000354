#include "SteamDownloadTest.h"
#include "setup/SteamGameFolder.h"
#include "setup/SteamTerminalScript.h"
#include "support/FileTree.h"

#include <QProcess>

namespace {

// The fake platform only records the script; the test runs it with bash as
// the terminal window would, answering SteamCMD's password prompt.
TEST_F(SteamDownloadTest, TerminalFallbackFollowsTheScriptToTheGameFiles)
{
    const QString release = FileTree::inHome(QStringLiteral("release"));
    steam.setScenario({.holdUntil = release});
    download.openSteamDownloadInTerminal();
    const QString script = steamTerminalScriptFile();
    EXPECT_EQ(platform.scriptsOpened, QStringList{script});
    EXPECT_EQ(QFile::permissions(script) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(download.steamTerminalActive());
    EXPECT_EQ(phase(), Kind::connecting);
    EXPECT_EQ(operation.activity(), QStringLiteral("Waiting for Steam download…"));

    QProcess terminal;
    terminal.start(QStringLiteral("/bin/bash"), {script});
    terminal.write("correct horse\nx");
    terminal.closeWriteChannel();
    ASSERT_TRUE(reaches(Kind::downloading));
    EXPECT_EQ(download.steamDownloadProgress(), 0.5);
    FileTree::writeFile(release);
    ASSERT_TRUE(reaches(Kind::complete));
    EXPECT_EQ(ready.count(), 1);
    EXPECT_FALSE(download.steamTerminalActive());
    EXPECT_EQ(download.steamDownloadProgress(), 1.0);
    EXPECT_TRUE(eventually([&] { return terminal.state() == QProcess::NotRunning; }));
}

TEST_F(SteamDownloadTest, TerminalWatchEndsWithANewStartOrWithoutATerminal)
{
    download.openSteamDownloadInTerminal();
    ASSERT_TRUE(download.steamTerminalActive());
    download.startEmbeddedSteamDownload();
    EXPECT_FALSE(download.steamTerminalActive());
    download.cancelSteamDownload(true);

    platform.terminalOpens = false;
    download.openSteamDownloadInTerminal();
    EXPECT_FALSE(download.steamTerminalActive());
    EXPECT_FALSE(QFile::exists(steamTerminalScriptFile()));
    EXPECT_TRUE(operation.errorMessage()->startsWith(QStringLiteral("Could not open the Steam download: ")));

    download.setSteamAccount(QString());
    download.openSteamDownloadInTerminal();
    EXPECT_EQ(operation.errorMessage(),
              QStringLiteral("Enter your Steam account name before opening the Terminal fallback."));
}

TEST_F(SteamDownloadTest, CheckingDownloadedFilesAcceptsOnlyACompleteGame)
{
    download.detectSteamDownload();
    EXPECT_EQ(operation.errorMessage(),
              QStringLiteral("The Zero Hour files are not complete yet. Finish SteamCMD, then try again."));
    EXPECT_EQ(ready.count(), 0);
    FileTree::writeFile(SteamGameFolder::location() + QStringLiteral("/Data/GENERALS.EXE"));
    download.detectSteamDownload();
    EXPECT_EQ(phase(), Kind::complete);
    EXPECT_EQ(ready.count(), 1);
}

} // namespace
