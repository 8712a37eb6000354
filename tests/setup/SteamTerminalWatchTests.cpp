#include "setup/SteamGameFolder.h"
#include "setup/SteamTerminalScript.h"
#include "setup/SteamTerminalWatch.h"
#include "support/FileTree.h"
#include "support/SteamCmdFixture.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>

using namespace std::chrono_literals;

namespace {

// A watch on the support folder's script and result file, looking every
// millisecond, with spies on what it reports.
class SteamTerminalWatchTest : public testing::Test
{
protected:
    void watch(const QString &script = steamTerminalScriptFile(), const QString &result = steamTerminalResultFile(),
               const QString &game = SteamGameFolder::location())
    {
        watcher = new SteamTerminalWatch(script, result, game, 1ms);
        progress = std::make_unique<QSignalSpy>(watcher.data(), &SteamTerminalWatch::manifestRead);
        finished = std::make_unique<QSignalSpy>(watcher.data(), &SteamTerminalWatch::finished);
        watcher->start();
    }

    std::optional<qint32> finalStatus() const
    {
        if (!eventually([&] { return !finished->isEmpty(); }))
            return std::nullopt;
        EXPECT_EQ(finished->count(), 1);
        return finished->constFirst().constFirst().value<qint32>();
    }

    void TearDown() override { delete watcher; }

    QPointer<SteamTerminalWatch> watcher;
    std::unique_ptr<QSignalSpy> progress;
    std::unique_ptr<QSignalSpy> finished;
    const QString game = SteamGameFolder::location();
};

struct Ending
{
    const char *name;
    std::optional<QByteArray> result;
    bool scriptRuns;
    std::optional<QString> gameFile;
    qint32 status;
};

void PrintTo(const Ending &ending, std::ostream *stream)
{
    *stream << ending.name;
}

class SteamTerminalWatchEndings : public SteamTerminalWatchTest, public testing::WithParamInterface<Ending>
{};

// A status in the result file ends the watch and the file is removed;
// without one, the script's end decides by what was downloaded.
TEST_P(SteamTerminalWatchEndings, EndWithTheStatusOrWhatTheScriptLeft)
{
    const Ending &ending = GetParam();
    if (ending.scriptRuns)
        FileTree::writeFile(steamTerminalScriptFile());
    if (ending.result)
        FileTree::writeFile(steamTerminalResultFile(), *ending.result);
    if (ending.gameFile)
        FileTree::writeFile(QDir(game).filePath(*ending.gameFile));
    watch();
    EXPECT_EQ(finalStatus(), ending.status);
    EXPECT_EQ(QFile::exists(steamTerminalResultFile()),
              ending.result && !steamTerminalStatus(QString::fromLatin1(*ending.result)));
}

INSTANTIATE_TEST_SUITE_P(Results, SteamTerminalWatchEndings,
                         testing::Values(Ending{"Succeeded", "0\n", true, QStringLiteral("Generals.exe"), 0},
                                         Ending{"SignInRejected", "+5", true, std::nullopt, 5},
                                         Ending{"SucceededAfterTheScriptEnded", "0\n", false, std::nullopt, 0},
                                         Ending{"WindowClosed", std::nullopt, false, std::nullopt, -1},
                                         Ending{"WindowClosedAfterTheDownload", std::nullopt, false,
                                                QStringLiteral("Game/generals.EXE"), 0},
                                         Ending{"NoNumberAndWindowClosed", "99999999999\n", false, std::nullopt, -1}),
                         [](const testing::TestParamInfo<Ending> &info) { return info.param.name; });

// Text that is not a status is left alone while the script still runs; each
// look reports the manifest's progress.
TEST_F(SteamTerminalWatchTest, WaitsForTheScriptPastAResultThatIsNoNumber)
{
    FileTree::writeFile(steamTerminalScriptFile());
    FileTree::writeFile(steamTerminalResultFile(), "text");
    FileTree::writeFile(SteamGameFolder::manifestFile(game),
                        "\"BytesToDownload\"\t\t\"4000\"\n\"BytesDownloaded\"\t\t\"1000\"");
    watch();
    ASSERT_TRUE(eventually([&] { return progress->count() >= 3; }));
    EXPECT_TRUE(finished->isEmpty());
    EXPECT_EQ(progress->constFirst().constFirst().toDouble(), 0.25);

    QFile::remove(steamTerminalScriptFile());
    EXPECT_EQ(finalStatus(), -1);
    EXPECT_TRUE(QFile::exists(steamTerminalResultFile()));
}

// A receiver that ends the watch while it reports progress ends that look too.
TEST_F(SteamTerminalWatchTest, DestroyedByAProgressReceiverItLooksNoFurther)
{
    FileTree::writeFile(steamTerminalResultFile(), "0\n");
    FileTree::writeFile(SteamGameFolder::manifestFile(game), "\"BytesToDownload\" \"4\" \"BytesDownloaded\" \"4\"");
    watch();
    QObject::connect(watcher, &SteamTerminalWatch::manifestRead, watcher, [&] { delete watcher; });
    ASSERT_TRUE(eventually([&] { return watcher.isNull(); }));
    EXPECT_TRUE(finished->isEmpty());
    EXPECT_TRUE(QFile::exists(steamTerminalResultFile()));
}

// The whole fallback without a terminal: bash runs the script with the fake
// SteamCMD, in folders whose names need quoting, and the watch follows the
// download from its manifest to the status the script leaves.
TEST_F(SteamTerminalWatchTest, FollowsTheScriptRunningSteamCmdToItsEnd)
{
    const QDir support(FileTree::inHome(QStringLiteral("Tarn'hold Support")));
    const SteamCmdFixture steam(support.filePath(QStringLiteral("SteamCMD")));
    steam.install();
    const QString release = FileTree::inHome(QStringLiteral("release"));
    steam.setScenario({.holdUntil = release});
    const SteamTerminalDownload download{.steamCmd = steam.script(),
                                         .gameFolder = support.filePath(QStringLiteral("SteamGame")),
                                         .resultFile = support.filePath(QStringLiteral("terminal-result")),
                                         .account = QStringLiteral("o'neil")};
    const QString script = support.filePath(QStringLiteral("download-generals.command"));
    FileTree::writeFile(script, steamTerminalScript(download, TerminalShell::bash).toUtf8());

    QProcess terminal;
    terminal.setProcessChannelMode(QProcess::MergedChannels);
    terminal.start(QStringLiteral("/bin/bash"), {script});
    terminal.write("correct horse\nx");
    terminal.closeWriteChannel();
    watch(script, download.resultFile, download.gameFolder);
    ASSERT_TRUE(
        eventually([&] { return !progress->isEmpty() && progress->constLast().constFirst().toDouble() == 0.5; }));
    EXPECT_TRUE(finished->isEmpty());
    FileTree::writeFile(release);

    EXPECT_EQ(finalStatus(), 0);
    ASSERT_TRUE(eventually([&] { return terminal.state() == QProcess::NotRunning; }));
    EXPECT_TRUE(terminal.readAll().contains("Download complete. Return to Tarnhold."));
    EXPECT_FALSE(QFile::exists(script));
    EXPECT_FALSE(QFile::exists(download.resultFile));
    EXPECT_TRUE(SteamGameFolder::isComplete(download.gameFolder));
    EXPECT_EQ(steam.arguments(),
              QStringList({QStringLiteral("+@sSteamCmdForcePlatformType"), QStringLiteral("windows"),
                           QStringLiteral("+force_install_dir"), download.gameFolder, QStringLiteral("+login"),
                           QStringLiteral("o'neil"), QStringLiteral("+app_update"), QStringLiteral("2732960"),
                           QStringLiteral("validate"), QStringLiteral("+quit")}));
    QStringList names;
    for (const QString &variable : steam.environment())
        names.append(variable.section(u'=', 0, 0));
    names.sort();
    EXPECT_EQ(names, QStringList({QStringLiteral("HOME"), QStringLiteral("LANG"), QStringLiteral("LOGNAME"),
                                  QStringLiteral("PATH"), QStringLiteral("TMPDIR"), QStringLiteral("USER")}));
    EXPECT_TRUE(steam.environment().contains(QStringLiteral("HOME=") + FileTree::home()));
}

} // namespace
