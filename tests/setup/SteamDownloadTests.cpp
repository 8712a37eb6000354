#include "SteamDownloadTest.h"
#include "setup/SteamGameFolder.h"
#include "setup/SteamTerminalScript.h"
#include "setup/SteamTerminalWatch.h"
#include "support/FileTree.h"

#include <QPointer>
#include <QProcess>

namespace {

TEST_F(SteamDownloadTest, SignsInDownloadsAndAnnouncesTheGameFiles)
{
    const QString release = FileTree::inHome(u"release"_s);
    steam.setScenario("guard=email\nhold_until=" + QFile::encodeName(release));
    QList<Kind> phases;
    QObject::connect(&download, &SteamDownload::steamSessionPhaseChanged, [&] { phases.append(phase()); });

    download.startEmbeddedSteamDownload();
    ASSERT_TRUE(reaches(Kind::password));
    download.submitSteamCredential(QString());
    EXPECT_EQ(phase(), Kind::password) << "an empty value is not passed on";
    answer(u"correct horse"_s);
    answer(u"F4K3C"_s);
    ASSERT_TRUE(eventually([&] { return download.steamDownloadProgress() == 0.5; }));
    download.submitSteamCredential(u"stray"_s);
    EXPECT_EQ(phase(), Kind::downloading) << "nothing is asked for while downloading";

    FileTree::writeFile(release);
    ASSERT_TRUE(reaches(Kind::complete));
    EXPECT_EQ(ready.count(), 1);
    EXPECT_EQ(download.steamDownloadProgress(), 1.0);
    EXPECT_EQ(phases, (QList{Kind::connecting, Kind::password, Kind::connecting, Kind::guardCode, Kind::connecting,
                             Kind::downloading, Kind::validating, Kind::complete}));
    EXPECT_TRUE(download.steamTranscript().startsWith(u"Starting Valve SteamCMD…Redirecting stderr"_s));
    EXPECT_TRUE(download.steamTranscript().endsWith(u"Success! App '2732960' fully installed.\n"_s));

    EXPECT_EQ(steam.recorded(u"arguments"_s),
              (QStringList{u"+@sSteamCmdForcePlatformType"_s, u"windows"_s, u"+force_install_dir"_s,
                           SteamGameFolder::location(), u"+login"_s, u"gordon_1"_s, u"+app_update"_s, u"2732960"_s,
                           u"validate"_s, u"+quit"_s}));
    EXPECT_EQ(steam.recorded(u"environment"_s).size(), 6);
    EXPECT_EQ(steam.recorded(u"working-folder"_s), QStringList{SteamCmdCommand::folder()});
}

// Each failure ends with the sentence that says what happened; each retry
// starts afresh.
TEST_F(SteamDownloadTest, FailuresEndWithTheSentenceThatExplainsThem)
{
    const std::tuple<QByteArray, QString, QString> endings[] = {
        {{}, u"correct hose"_s, u"Steam rejected the sign-in. Check the account name and password, then retry."_s},
        {"guard=authenticator", u"correct horse\n123456"_s,
         u"Steam rejected the sign-in. Check the account name, password and Steam Guard approval, then retry."_s},
        {"job=no-subscription", u"correct horse"_s,
         u"This Steam account does not own Zero Hour (Steam app 2732960). Sign in with the account that bought it, "
         u"then retry."_s},
        {"job=failed-state", u"correct horse"_s,
         u"SteamCMD could not write the game files: the disk is full or the download folder is not writable. Free "
         u"some space, then retry; the partial download was kept."_s},
        {"job=failed-state\nfailed_state=0x402", u"correct horse"_s,
         u"SteamCMD stopped with code 8. The partial download was kept; retry or use the Terminal fallback."_s},
        {"owner=other", QString(),
         u"SteamCMD refused to run because its folder belongs to another user. Move Tarnhold’s SteamCMD folder to the "
         u"Trash, return to the previous step to download it again, then retry."_s}};
    for (const auto &[scenario, typed, sentence] : endings) {
        steam.setScenario(scenario);
        download.startEmbeddedSteamDownload();
        for (const QString &value : typed.split(u'\n', Qt::SkipEmptyParts))
            answer(value);
        ASSERT_TRUE(reaches(Kind::failed)) << scenario.constData();
        EXPECT_EQ(download.steamSessionPhase().failureText(), sentence);
    }
    EXPECT_EQ(ready.count(), 0);
}

TEST_F(SteamDownloadTest, CancellingOrDestroyingStopsSteamCmdForGoodAndKeepsItsFiles)
{
    // A zombie has no command line, so it no longer counts.
    const auto scriptRuns = [] { return QProcess::execute(u"pgrep"_s, {u"-f"_s, SteamCmdCommand::script()}) == 0; };
    steam.setScenario("hold_until=" + QFile::encodeName(FileTree::inHome(u"never"_s)));
    download.startEmbeddedSteamDownload();
    answer(u"correct horse"_s);
    ASSERT_TRUE(eventually([&] { return download.steamDownloadProgress() == 0.5; }));

    download.cancelSteamDownload(true);
    // The script's own child is stopped with it, and its end changes nothing.
    EXPECT_TRUE(eventually([&] { return !scriptRuns(); }));
    EXPECT_EQ(download.steamSessionPhase(),
              SteamSessionPhase::failed(
                  u"The Steam download was cancelled. Existing downloaded files were kept for the next attempt."_s));
    EXPECT_TRUE(QFile::exists(SteamGameFolder::location() + u"/steamapps/downloading/2732960/INIZH.big"_s));

    auto another = std::make_unique<SteamDownload>(services(), operation);
    another->setSteamAccount(u"gordon_1"_s);
    another->startEmbeddedSteamDownload();
    ASSERT_TRUE(eventually([&] { return another->steamSessionPhase().kind() == Kind::password; }));
    another.reset();
    EXPECT_TRUE(eventually([&] { return !scriptRuns(); }));
}

// Each refusal leaves the session idle; a script that cannot run ends the
// run at once.
TEST_F(SteamDownloadTest, StartsOnlyWithANameSteamCmdAndADownloadFolder)
{
    download.setSteamAccount(u" \n"_s);
    download.startEmbeddedSteamDownload();
    EXPECT_EQ(operation.errorMessage(),
              u"Enter your Steam account name. This is the login name, not the public profile name."_s);
    download.setSteamAccount(u"gordon_1"_s);
    FileTree::writeFile(SteamGameFolder::location());
    download.startEmbeddedSteamDownload();
    EXPECT_EQ(operation.errorMessage(),
              u"Could not prepare the Steam download folder: Tarnhold could not create the folder “%1”."_s.arg(
                  SteamGameFolder::location()));
    QFile::remove(SteamCmdCommand::script());
    download.startEmbeddedSteamDownload();
    EXPECT_EQ(operation.errorMessage(), u"SteamCMD is missing. Return to the previous step."_s);
    EXPECT_EQ(phase(), Kind::idle);

    QFile::remove(SteamGameFolder::location());
    FileTree::writeFile(SteamCmdCommand::script(), "#!/bin/sh\n");
    download.startEmbeddedSteamDownload();
    ASSERT_TRUE(reaches(Kind::failed));
    EXPECT_TRUE(operation.errorMessage()->startsWith(u"SteamCMD could not start: "_s));
    EXPECT_EQ(operation.errorMessage(), download.steamSessionPhase().failureText());
}

// The second half of "é" is written only after the first has been read.
TEST_F(SteamDownloadTest, ACharacterCutBetweenReadsArrivesWhole)
{
    FileTree::writeExecutable(SteamCmdCommand::script(),
                              "#!/bin/sh\nprintf 'password: \\303'\nread line\nprintf '\\251 ok\\n'\n");
    download.startEmbeddedSteamDownload();
    answer(u"secret"_s);
    ASSERT_TRUE(reaches(Kind::failed));
    EXPECT_TRUE(download.steamTranscript().endsWith(u"password: é ok\n"_s));
}

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
    ASSERT_TRUE(eventually([&] { return phase() == Kind::downloading && download.steamDownloadProgress() == 0.5; }));
    FileTree::writeFile(release);
    ASSERT_TRUE(reaches(Kind::complete));
    EXPECT_EQ(ready.count(), 1);
    EXPECT_FALSE(download.steamTerminalActive());
    EXPECT_EQ(download.steamDownloadProgress(), 1.0);
    EXPECT_EQ(steam.recorded(u"environment"_s).size(), 6);
    // The script removes itself as it ends.
    EXPECT_TRUE(eventually([&] { return terminal.state() == QProcess::NotRunning && !QFile::exists(script); }));
}

// Tarnhold sees only how the script ended: the status it wrote, or without
// one, whether the game files are complete. The status is read once.
TEST_F(SteamDownloadTest, TerminalRunEndsWithTheSentenceForItsStatus)
{
    const auto failed = [](const char16_t *text) { return SteamSessionPhase::failed(QString::fromUtf16(text)); };
    const std::tuple<QByteArray, QString, SteamSessionPhase> endings[] = {
        {"+5",
         {},
         failed(u"Steam rejected the sign-in. Check the account name, password and Steam Guard approval, then retry.")},
        {"0\n", {}, failed(u"SteamCMD stopped with code 0. The partial download was kept; retry to continue.")},
        {{},
         {},
         failed(u"The Terminal window was closed before SteamCMD finished. The partial download was kept; retry to "
                u"continue.")},
        {{}, u"/Game/generals.EXE"_s, Kind::complete}};
    for (const auto &[result, gameFile, ending] : endings) {
        download.openSteamDownloadInTerminal();
        if (!result.isEmpty())
            FileTree::writeFile(steamTerminalResultFile(), result);
        if (!gameFile.isEmpty())
            FileTree::writeFile(SteamGameFolder::location() + gameFile);
        QFile::remove(steamTerminalScriptFile());
        ASSERT_TRUE(eventually([&] { return !download.steamTerminalActive(); })) << result.constData();
        EXPECT_EQ(download.steamSessionPhase(), ending);
        EXPECT_FALSE(QFile::exists(steamTerminalResultFile()));
    }
}

// A result that is no status is left alone while the script runs; the
// manifest's progress shows that the watch has looked since it was written.
TEST_F(SteamDownloadTest, TerminalWatchWaitsPastAResultThatIsNoNumber)
{
    download.openSteamDownloadInTerminal();
    FileTree::writeFile(steamTerminalResultFile(), "99999999999");
    FileTree::writeFile(SteamGameFolder::manifestFile(SteamGameFolder::location()),
                        "\"BytesToDownload\" \"4000\" \"BytesDownloaded\" \"1000\"");
    ASSERT_TRUE(eventually([&] { return download.steamDownloadProgress() == 0.25; }));
    EXPECT_TRUE(download.steamTerminalActive());
    QFile::remove(steamTerminalScriptFile());
    ASSERT_TRUE(eventually([&] { return !download.steamTerminalActive(); }));
    EXPECT_TRUE(download.steamSessionPhase().failureText().startsWith(u"The Terminal window was closed"_s));
    EXPECT_TRUE(QFile::exists(steamTerminalResultFile()));
}

// A receiver that ends the watch while it reports progress ends that look too.
TEST(SteamTerminalWatch, DestroyedByAProgressReceiverItLooksNoFurther)
{
    FileTree::writeFile(steamTerminalResultFile(), "0\n");
    FileTree::writeFile(SteamGameFolder::manifestFile(SteamGameFolder::location()),
                        "\"BytesToDownload\" \"4\" \"BytesDownloaded\" \"4\"");
    QPointer watcher =
        new SteamTerminalWatch(steamTerminalScriptFile(), steamTerminalResultFile(), SteamGameFolder::location(), 1ms);
    QSignalSpy finished(watcher.data(), &SteamTerminalWatch::finished);
    QObject::connect(watcher, &SteamTerminalWatch::manifestRead, watcher, [&] { delete watcher; });
    watcher->start();
    ASSERT_TRUE(eventually([&] { return watcher.isNull(); }));
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_TRUE(QFile::exists(steamTerminalResultFile()));
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

} // namespace
