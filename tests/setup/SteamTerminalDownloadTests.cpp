#include "SteamDownloadTest.h"
#include "setup/SteamGameFolder.h"
#include "setup/SteamTerminalScript.h"
#include "support/FileTree.h"

#include <QProcess>

// The fake platform only records the script; the test runs it with bash as
// the terminal window would, answering SteamCMD's password prompt.
TEST_F(SteamDownloadTest, TerminalFallbackFollowsTheScriptToTheGameFiles)
{
    const QString release = FileTree::inHome(u"release"_s);
    steam.setScenario("hold_until=" + QFile::encodeName(release));
    download.openSteamDownloadInTerminal();
    const QString script = steamTerminalScriptFile();
    EXPECT_EQ(platform.scriptsOpened, QStringList{script});
    EXPECT_EQ(QFile::permissions(script) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(operation.activity(), u"Waiting for Steam download…"_s);

    QProcess terminal;
    terminal.start(u"/bin/bash"_s, {script});
    terminal.write("correct horse\nx");
    terminal.closeWriteChannel();
    ASSERT_TRUE(reaches(Kind::downloading));
    EXPECT_EQ(download.steamDownloadProgress(), 0.5);
    FileTree::writeFile(release);
    ASSERT_TRUE(reaches(Kind::complete));
    EXPECT_EQ(ready.count(), 1);
    EXPECT_FALSE(download.steamTerminalActive());
    EXPECT_EQ(download.steamDownloadProgress(), 1.0);
    // The script removes itself as it ends.
    EXPECT_TRUE(eventually([&] { return terminal.state() == QProcess::NotRunning && !QFile::exists(script); }));
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
    EXPECT_TRUE(operation.errorMessage()->startsWith(u"Could not open the Steam download: "_s));

    download.setSteamAccount(QString());
    download.openSteamDownloadInTerminal();
    EXPECT_EQ(operation.errorMessage(), u"Enter your Steam account name before opening the Terminal fallback."_s);
}

TEST_F(SteamDownloadTest, CheckingDownloadedFilesAcceptsOnlyACompleteGame)
{
    download.detectSteamDownload();
    EXPECT_EQ(operation.errorMessage(),
              u"The Zero Hour files are not complete yet. Finish SteamCMD, then try again."_s);
    FileTree::writeFile(SteamGameFolder::location() + u"/Data/GENERALS.EXE"_s);
    download.detectSteamDownload();
    EXPECT_EQ(phase(), Kind::complete);
    EXPECT_EQ(ready.count(), 1);
}
