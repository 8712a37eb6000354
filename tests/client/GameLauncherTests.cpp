#include "base/Locations.h"
#include "client/GameLauncher.h"
#include "client/SessionLogs.h"
#include "content/CommunityContent.h"
#include "process/WineSupervisorError.h"
#include "support/ClientArchive.h"
#include "support/CommunityWorld.h"
#include "support/FileTree.h"
#include "support/Installation.h"
#include "support/Outcome.h"
#include "support/TestServices.h"
#include "support/Wait.h"
#include "support/WineRuntimeFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QSignalSpy>

#include <signal.h>

namespace {

using namespace Qt::StringLiterals;

// An installation whose profile was restored once, so that every cache a
// launch draws on is there, and the fake runtime playing the game.
class GameLauncherTest : public testing::Test, protected TestServices
{
protected:
    const WineRuntimeFixture wine{Locations::currentRuntimeFolder()};
    const QString game = Locations::gameFolder(Locations::managedPrefixFolder());
    CommunityWorld world{server, catalog};
    CommunityContent community{services(), operation};
    GameLauncher launcher{quickWine(), operation, community};

    GameLauncherTest()
    {
        catalog.antiCheat = ClientArchive::testPins();
        world.serveEverything();
        Installation::addGameFiles(Locations::managedPrefixFolder());
        Installation::addLauncher(Locations::managedPrefixFolder());
        const QMap<QString, QByteArray> package = ClientArchive::packageFiles();
        FileTree::writeFile(game + u"/EasyAntiCheat/Settings.json"_s,
                            package.value(u"Velmora/EasyAntiCheat/Settings.json"_s));
        record.load();
        EXPECT_EQ(outcomeOf(community.installCommunityContent(game, 0, 1)).error, nullptr);
        wine.setScenario("program=play");
    }
    ~GameLauncherTest() override
    {
        FileTree::writeFile(wine.runtime() + u"/bin/quit"_s);
        EXPECT_TRUE(eventually([this] { return !operation.isGameRunning(); }));
    }

    // Leftover Wine is stopped in a few seconds at most.
    Services quickWine()
    {
        timing.wine = {.pollInterval = 20ms, .shutDownGrace = 2s, .signalWait = 1s};
        return services();
    }

    // Launches and waits until the game runs or the launch gave up.
    void launch()
    {
        operation.setErrorMessage(std::nullopt);
        launcher.launchGame();
        ASSERT_TRUE(eventually([this] { return operation.isGameRunning() || operation.errorMessage(); }));
    }
    void playUntilStopped()
    {
        launch();
        ASSERT_TRUE(operation.isGameRunning()) << operation.errorMessage()->toStdString();
        ASSERT_TRUE(eventually([] { return FileTree::readFile(SessionLogs::sessionLog()).size() >= 22; }));
        launcher.stopGame();
        ASSERT_TRUE(eventually([this] { return !operation.isGameRunning(); }));
    }
    static QStringList archives(const QString &prefix)
    {
        return QDir(Locations::logsFolder()).entryList({prefix + u"-*.log"_s}, QDir::Files);
    }
};

TEST_F(GameLauncherTest, StartsTheGameAtTheChosenResolutionAndFollowsItToItsEnd)
{
    community.setResolution(u"1280 × 720"_s);
    launch();
    EXPECT_EQ(
        operation.errorMessage(),
        u"The interface is prepared for 2560 × 1440. Restore the multiplayer profile after changing resolution."_s);
    InstalledState state = record.state();
    state.controlBarResolution.reset();
    record.setState(state);
    // A managed map gone missing comes back from the caches.
    QDir(Locations::gameMapsFolder() + u"/Ranked 3"_s).removeRecursively();

    launch();
    ASSERT_TRUE(operation.isGameRunning());
    EXPECT_FALSE(operation.isBusy());
    EXPECT_TRUE(QFileInfo::exists(Locations::gameMapsFolder() + u"/Ranked 3/Ranked 3.map"_s));
    // The fake writes both lines after recording how it was started.
    launcher.launchGame();
    ASSERT_TRUE(eventually([this] { return FileTree::readFile(SessionLogs::sessionLog()).size() >= 22; }));
    EXPECT_EQ(FileTree::readFile(SessionLogs::sessionLog()), "game output\ngame error\n")
        << "one session, both streams";
    EXPECT_EQ(wine.recorded(u"wine-arguments"_s).last(),
              Locations::launcherFile(Locations::managedPrefixFolder()) + u"\t-xres\t1280\t-yres\t720"_s);
    const QStringList environment = wine.recorded(u"wine-environment"_s);
    EXPECT_TRUE(environment.contains(u"WINEDEBUG=+timestamp,err+all,fixme-all"_s));
    EXPECT_TRUE(environment.contains(u"PWD="_s + QFileInfo(game).canonicalFilePath()));

    FileTree::writeFile(SessionLogs::clientLog(), "client");
    launcher.stopGame();
    ASSERT_TRUE(eventually([this] { return !operation.isGameRunning(); }));
    EXPECT_EQ(archives(u"velmora"_s).size(), 1) << "archived when the game ended";
    EXPECT_EQ(QSize(2560, 1440), GameLauncher::selectedResolution(u"1920x1080"_s));
}

// The client's unchanged log is archived once; an empty session log goes
// without an archive, a full one is kept.
TEST_F(GameLauncherTest, KeepsEachLogOnce)
{
    FileTree::writeFile(SessionLogs::clientLog(), "client");
    playUntilStopped();
    playUntilStopped();
    EXPECT_EQ(archives(u"velmora"_s).size(), 1);
    EXPECT_EQ(archives(u"launcher"_s).size(), 1);

    wine.setScenario("program=exit");
    FileTree::writeFile(SessionLogs::sessionLog());
    QFile::remove(QDir(Locations::logsFolder()).filePath(archives(u"launcher"_s).first()));
    QSignalSpy runningChanges(&operation, &OperationState::isGameRunningChanged);
    launcher.launchGame();
    ASSERT_TRUE(eventually([&] { return runningChanges.count() == 2; })) << "started, then ended";
    EXPECT_TRUE(archives(u"launcher"_s).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(SessionLogs::sessionLog()));
}

// A Wine process that mentions the game, in any letter case, blocks the
// launch; other leftovers are stopped first.
TEST_F(GameLauncherTest, RefusesWhileTheGameRunsOutsideTarnhold)
{
    wine.setScenario("program=hang");
    QProcess leftover;
    leftover.start(wine.wine(), {u"C:\\GeneralsZH\\GENERALS.EXE"_s});
    ASSERT_TRUE(leftover.waitForStarted());
    launch();
    EXPECT_EQ(operation.errorMessage(), WineSupervisorError::gameAlreadyRunning().description());
    leftover.kill();
    leftover.waitForFinished();

    leftover.start(wine.wine(), {u"C:\\windows\\explorer.exe"_s});
    ASSERT_TRUE(leftover.waitForStarted());
    wine.setScenario("program=play");
    launch();
    EXPECT_TRUE(operation.isGameRunning());
    EXPECT_TRUE(leftover.state() == QProcess::NotRunning || leftover.waitForFinished(5000));

    QFile::remove(Locations::launcherFile(Locations::managedPrefixFolder()));
    launcher.stopGame();
    ASSERT_TRUE(eventually([this] { return !operation.isGameRunning(); }));
    launch();
    EXPECT_EQ(operation.errorMessage(), u"The runtime or Velmora files are missing. Open Install & Repair."_s);
}

// Quitting Tarnhold must not end the game: the launcher goes, the game
// plays on until another launcher stops it, and the process is still reaped.
TEST_F(GameLauncherTest, TheGameOutlivesItsLauncher)
{
    auto owner = std::make_unique<GameLauncher>(services(), operation, community);
    owner->launchGame();
    ASSERT_TRUE(eventually([this] { return operation.isGameRunning(); }));
    const QString pidFile = wine.runtime() + u"/bin/game-pid"_s;
    ASSERT_TRUE(eventually([&] { return QFileInfo::exists(pidFile); }));
    const pid_t pid = FileTree::readFile(pidFile).trimmed().toInt();
    owner.reset();
    QTest::qWait(100);
    EXPECT_EQ(kill(pid, 0), 0) << "the game ended with its launcher";
    // A later Tarnhold finds the game through the prefix's Wine.
    EXPECT_TRUE(QCoro::waitFor(launcher.stopRunningGame()));
    EXPECT_TRUE(eventually([pid] { return kill(pid, 0) != 0; })) << "never stopped, or never reaped";
    EXPECT_FALSE(QCoro::waitFor(launcher.stopRunningGame()));
    operation.setGameRunning(false);
}

// Each bad end leaves the launcher ready for the next launch.
TEST_F(GameLauncherTest, BadEndsLeaveItReadyForTheNextLaunch)
{
    FileTree::writeFile(Locations::logsFolder(), "a file where the logs belong");
    launch();
    EXPECT_TRUE(operation.errorMessage()->startsWith(u"Could not launch Velmora: "_s));
    QFile::remove(Locations::logsFolder());

    wine.setScenario("program=exit\nstatus=3");
    QSignalSpy runningChanges(&operation, &OperationState::isGameRunningChanged);
    launcher.launchGame();
    ASSERT_TRUE(eventually([&] { return runningChanges.count() == 2; })) << "started, then ended";

    wine.setScenario("program=play");
    launch();
    ASSERT_TRUE(eventually([this] { return QFileInfo::exists(wine.runtime() + u"/bin/game-pid"_s); }));
    kill(FileTree::readFile(wine.runtime() + u"/bin/game-pid"_s).trimmed().toInt(), SIGKILL);
    ASSERT_TRUE(eventually([this] { return !operation.isGameRunning(); }));
    launch();
    EXPECT_TRUE(operation.isGameRunning());
}

} // namespace
