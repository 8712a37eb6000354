#include "SteamDownloadTest.h"
#include "setup/SteamCmdCommand.h"
#include "setup/SteamGameFolder.h"
#include "support/FileTree.h"

#include <QDir>
#include <QDirIterator>

namespace {

using Guard = SteamCmdScenario::Guard;
using Job = SteamCmdScenario::Job;

// Whether any process still runs the script; a zombie has no command line.
bool anyProcessRuns(const QString &script)
{
    for (QDirIterator entries(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot); entries.hasNext();) {
        QFile commandLine(entries.next() + QStringLiteral("/cmdline"));
        if (commandLine.open(QIODevice::ReadOnly) && commandLine.readAll().contains(QFile::encodeName(script)))
            return true;
    }
    return false;
}

TEST_F(SteamDownloadTest, SignsInDownloadsAndAnnouncesTheGameFiles)
{
    const QString release = FileTree::inHome(QStringLiteral("release"));
    steam.setScenario({.guard = Guard::email, .holdUntil = release});
    QList<Kind> phases;
    QObject::connect(&download, &SteamDownload::steamSessionPhaseChanged, [&] { phases.append(phase()); });

    download.startEmbeddedSteamDownload();
    EXPECT_EQ(download.steamTranscript(), QStringLiteral("Starting Valve SteamCMD…"));
    ASSERT_TRUE(reaches(Kind::password));
    download.submitSteamCredential(QString());
    EXPECT_EQ(phase(), Kind::password) << "an empty value is not passed on";
    answer(QStringLiteral("correct horse"));
    answer(QStringLiteral("F4K3C"));
    ASSERT_TRUE(eventually([&] { return steam.isHolding() && download.steamDownloadProgress() == 0.5; }));
    download.submitSteamCredential(QStringLiteral("stray"));
    EXPECT_EQ(phase(), Kind::downloading) << "nothing is asked for while downloading";

    FileTree::writeFile(release);
    ASSERT_TRUE(reaches(Kind::complete));
    EXPECT_EQ(ready.count(), 1);
    EXPECT_EQ(download.steamDownloadProgress(), 1.0);
    EXPECT_TRUE(download.steamGameIsComplete());
    EXPECT_EQ(phases, (QList{Kind::connecting, Kind::password, Kind::connecting, Kind::guardCode, Kind::connecting,
                             Kind::downloading, Kind::validating, Kind::complete}));
    const QString transcript = download.steamTranscript();
    EXPECT_TRUE(transcript.startsWith(QStringLiteral("Starting Valve SteamCMD…Redirecting stderr")));
    EXPECT_TRUE(transcript.endsWith(QStringLiteral("Success! App '2732960' fully installed.\n")));
    EXPECT_FALSE(transcript.contains(u'\x1B'));

    EXPECT_EQ(steam.arguments(),
              (QStringList{QStringLiteral("+@sSteamCmdForcePlatformType"), QStringLiteral("windows"),
                           QStringLiteral("+force_install_dir"), SteamGameFolder::location(), QStringLiteral("+login"),
                           QStringLiteral("gordon_1"), QStringLiteral("+app_update"), QStringLiteral("2732960"),
                           QStringLiteral("validate"), QStringLiteral("+quit")}));
    QStringList environment = steam.environment();
    environment.sort();
    ASSERT_EQ(environment.size(), 6);
    EXPECT_EQ(environment.at(0), QStringLiteral("HOME=") + FileTree::home());
    EXPECT_EQ(environment.at(1), QStringLiteral("LANG=") + qEnvironmentVariable("LANG", QStringLiteral("C.UTF-8")));
    EXPECT_TRUE(environment.at(2).startsWith(QStringLiteral("LOGNAME=")));
    EXPECT_EQ(environment.at(3), QStringLiteral("PATH=/usr/bin:/bin:/usr/sbin:/sbin"));
    EXPECT_EQ(environment.at(4), QStringLiteral("TMPDIR=") + QDir::tempPath());
    EXPECT_TRUE(environment.at(5).startsWith(QStringLiteral("USER=")));
    EXPECT_EQ(steam.workingFolder(), SteamCmdCommand::folder());
}

struct Ending
{
    const char *name;
    SteamCmdScenario scenario;
    QStringList answers;
    QString sentence;
};

void PrintTo(const Ending &ending, std::ostream *out)
{
    *out << ending.name;
}

class SteamDownloadEndings : public SteamDownloadTest, public testing::WithParamInterface<Ending>
{};

// Each failure ends with the sentence that says what happened.
TEST_P(SteamDownloadEndings, EndWithTheSentenceThatExplainsThem)
{
    steam.setScenario(GetParam().scenario);
    download.startEmbeddedSteamDownload();
    for (const QString &value : GetParam().answers)
        answer(value);
    ASSERT_TRUE(reaches(Kind::failed));
    EXPECT_EQ(download.steamSessionPhase().failureText(), GetParam().sentence);
    EXPECT_EQ(ready.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, SteamDownloadEndings,
    testing::Values(
        Ending{"WrongPassword",
               {},
               {QStringLiteral("correct hose")},
               QStringLiteral("Steam rejected the sign-in. Check the account name and password, then retry.")},
        Ending{"WrongCode",
               {.guard = Guard::authenticator},
               {QStringLiteral("correct horse"), QStringLiteral("123456")},
               QStringLiteral("Steam rejected the sign-in. Check the account name, password and Steam Guard "
                              "approval, then retry.")},
        Ending{"NoSubscription",
               {.job = Job::noSubscription},
               {QStringLiteral("correct horse")},
               QStringLiteral("This Steam account does not own Zero Hour (Steam app 2732960). Sign in with the "
                              "account that bought it, then retry.")},
        Ending{"FullDisk",
               {.job = Job::failedState},
               {QStringLiteral("correct horse")},
               QStringLiteral("SteamCMD could not write the game files: the disk is full or the download folder is "
                              "not writable. Free some space, then retry; the partial download was kept.")},
        Ending{"LostConnection",
               {.job = Job::failedState, .failedState = QStringLiteral("0x402")},
               {QStringLiteral("correct horse")},
               QStringLiteral("SteamCMD stopped with code 8. The partial download was kept; retry or use the "
                              "Terminal fallback.")},
        Ending{"ForeignOwner",
               {.foreignOwner = true},
               {},
               QStringLiteral("SteamCMD refused to run because its folder belongs to another user. Move "
                              "Tarnhold’s SteamCMD folder to the Trash, return to the previous step to download it "
                              "again, then retry.")}),
    [](const testing::TestParamInfo<Ending> &info) { return info.param.name; });

TEST_F(SteamDownloadTest, CancellingStopsSteamCmdForGoodAndKeepsItsFiles)
{
    steam.setScenario({.holdUntil = FileTree::inHome(QStringLiteral("never"))});
    download.startEmbeddedSteamDownload();
    answer(QStringLiteral("correct horse"));
    ASSERT_TRUE(eventually([&] { return steam.isHolding(); }));

    download.cancelSteamDownload(true);
    const SteamSessionPhase cancelled = SteamSessionPhase::failed(
        QStringLiteral("The Steam download was cancelled. Existing downloaded files were kept for the next attempt."));
    EXPECT_EQ(download.steamSessionPhase(), cancelled);
    // The script's own child is stopped with it, and its end changes nothing.
    EXPECT_TRUE(eventually([&] { return !anyProcessRuns(steam.script()); }));
    EXPECT_EQ(download.steamSessionPhase(), cancelled);
    EXPECT_TRUE(
        QFile::exists(SteamGameFolder::location() + QStringLiteral("/steamapps/downloading/2732960/INIZH.big")));

    // A controller destroyed with a run in flight stops it the same way.
    auto another = std::make_unique<SteamDownload>(services(), operation);
    another->setSteamAccount(QStringLiteral("gordon_1"));
    another->startEmbeddedSteamDownload();
    ASSERT_TRUE(eventually([&] { return another->steamSessionPhase().kind() == Kind::password; }));
    another.reset();
    EXPECT_TRUE(eventually([&] { return !anyProcessRuns(steam.script()); }));
}

TEST_F(SteamDownloadTest, StartsOnlyWithANameSteamCmdAndADownloadFolder)
{
    const std::tuple<QString, std::function<void()>, QString> cases[] = {
        {QStringLiteral(" \n"), [] {},
         QStringLiteral("Enter your Steam account name. This is the login name, not the public profile name.")},
        {QStringLiteral("gordon_1"), [this] { QFile::remove(steam.script()); },
         QStringLiteral("SteamCMD is missing. Return to the previous step.")},
        {QStringLiteral("gordon_1"),
         [this] {
             steam.install();
             FileTree::writeFile(SteamGameFolder::location());
         },
         QStringLiteral("Could not prepare the Steam download folder: Tarnhold could not create the folder “%1”.")
             .arg(SteamGameFolder::location())},
    };
    for (const auto &[account, arrange, message] : cases) {
        arrange();
        download.setSteamAccount(account);
        download.startEmbeddedSteamDownload();
        EXPECT_EQ(operation.errorMessage(), message);
        EXPECT_EQ(phase(), Kind::idle);
    }
}

TEST_F(SteamDownloadTest, AScriptThatCannotRunEndsTheRunAtOnce)
{
    QFile::setPermissions(steam.script(), QFile::ReadOwner | QFile::WriteOwner);
    download.startEmbeddedSteamDownload();
    ASSERT_TRUE(reaches(Kind::failed));
    const QString sentence = download.steamSessionPhase().failureText();
    EXPECT_TRUE(sentence.startsWith(QStringLiteral("SteamCMD could not start: "))) << sentence.toStdString();
    EXPECT_EQ(operation.errorMessage(), sentence);
}

// The second half of "é" is written only after the first has been read.
TEST_F(SteamDownloadTest, ACharacterCutBetweenReadsArrivesWhole)
{
    FileTree::writeExecutable(steam.script(), "#!/bin/sh\nprintf 'password: \\303'\nread line\nprintf '\\251 ok\\n'\n");
    download.startEmbeddedSteamDownload();
    answer(QStringLiteral("secret"));
    ASSERT_TRUE(reaches(Kind::failed));
    EXPECT_TRUE(download.steamTranscript().endsWith(QStringLiteral("password: é ok\n")))
        << download.steamTranscript().toStdString();
}

} // namespace
