#include "SetupLog.h"
#include "process/ProcessRunnerError.h"
#include "process/WineEnvironment.h"
#include "process/WineSupervisorError.h"
#include "setup/WinePrefix.h"
#include "support/Outcome.h"
#include "support/TestServices.h"
#include "support/WineRuntimeFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>

namespace {

using namespace Qt::StringLiterals;

const QString attemptOne = u"wineboot attempt 1 of 3 started\\."_s;

// The fake runtime in the temporary home, the prefix beside it, and waits
// short enough that a hang costs seconds.
class WinePrefixTest : public testing::Test, protected TestServices
{
protected:
    WineRuntimeFixture fake{FileTree::inHome(u"Runtime"_s)};
    QString prefix = FileTree::inHome(u"Prefix"_s);

    // Prepares the prefix as finishing the installation does, with wineboot
    // limited to limit, and checks that the supervised display ended.
    Outcome<Completed> prepare(std::chrono::milliseconds limit = 60s)
    {
        timing.wine = {
            .winebootLimit = limit, .pollInterval = 20ms, .shutDownGrace = 2s, .signalWait = 1s, .listingLimit = 10s};
        WinePrefix winePrefix(services(), operation);
        const WineSupervisor supervisor(fake.runtime(), prefix, wineEnvironment(fake.runtime(), prefix),
                                        WineRuntimeFixture::idleListing(), timing.wine);
        auto outcome = outcomeOf(winePrefix.prepareWinePrefix(supervisor, fake.wine(), fake.wineboot()));
        EXPECT_FALSE(operation.progressIsIndeterminate());
        EXPECT_EQ(operation.progressDetail(), std::nullopt);
        EXPECT_FALSE(operation.progressStalled());
        return outcome;
    }
};

struct Ending
{
    const char *name;
    const char *scenario;
    std::chrono::milliseconds limit;
    QStringList log; // after the first attempt's start
    bool usable;
};

class WinebootEnding : public WinePrefixTest, public testing::WithParamInterface<Ending>
{};

// Any way wineboot ends but a hang that left the prefix incomplete is the
// end of the step. A usable prefix is reused next time, once leftover Wine
// is stopped.
TEST_P(WinebootEnding, IsLoggedAndAccepted)
{
    const Ending &ending = GetParam();
    fake.setScenario(ending.scenario);
    EXPECT_TRUE(prepare(ending.limit).value);
    EXPECT_TRUE(setupLogReads(QStringList{attemptOne} + ending.log));
    EXPECT_EQ(operation.activity(), u"Compatibility environment ready"_s);
    EXPECT_EQ(WineSupervisor(fake.runtime(), prefix, {}, {}).prefixIsUsable(), ending.usable);
    EXPECT_EQ(fake.recorded(u"wine-arguments"_s), QStringList{fake.wineboot() + u"\t-u"_s});
    EXPECT_TRUE(fake.recorded(u"wine-environment"_s).contains(u"WINEPREFIX="_s + prefix));
    if (!ending.usable)
        return;
    const QStringList stops = fake.recorded(u"wineserver-arguments"_s);
    EXPECT_TRUE(prepare().value);
    EXPECT_TRUE(setupLogReads(QStringList{attemptOne} + ending.log
                              + QStringList{u"Reusing the existing Windows environment; skipping wineboot\\."_s}));
    EXPECT_EQ(operation.activity(), u"Reusing the existing Windows environment"_s);
    EXPECT_EQ(fake.recorded(u"wine-arguments"_s).size(), 1);
    EXPECT_EQ(fake.recorded(u"wineserver-arguments"_s), stops + QStringList{u"-k"_s});
}

const QString finished = u"wineboot finished after \\d+ s\\."_s;
const QString exited = u"wineboot exited with status 3; continuing\\."_s;
const QStringList hungOnce{u"wineboot hung for 1 s; stopping all Wine processes\\."_s,
                           u"The prefix is usable after the hang; continuing\\."_s};

INSTANTIATE_TEST_SUITE_P(
    WinePrefix, WinebootEnding,
    testing::Values(Ending{"Finished", "wineboot=create", 60s, {finished}, true},
                    Ending{"ExitedWithAStatus", "wineboot=exit\nstatus=3", 60s, {exited}, false},
                    // Judged only once the server has stopped and written the registry.
                    Ending{"RegistryWrittenAtServerStop", "wineboot=registry-at-server-stop", 60s, {finished}, true},
                    Ending{"HungAfterCreatingThePrefix", "wineboot=hang-after-creating", 1500ms, hungOnce, true}),
    [](const testing::TestParamInfo<Ending> &info) { return info.param.name; });

// The prefix was last written an hour ago and Wine uses no CPU, so each
// attempt shows it waiting until its limit ends it.
TEST_F(WinePrefixTest, GivesUpAfterThreeHangsShowingTheWait)
{
    FileTree::writeFile(prefix + u"/system.reg"_s, "WINE REGISTRY");
    ASSERT_EQ(QProcess::execute(u"touch"_s, {u"-d"_s, u"1 hour ago"_s, prefix + u"/system.reg"_s}), 0);
    fake.setScenario("wineboot=hang");
    QStringList details;
    QObject::connect(&operation, &OperationState::progressDetailChanged, [&] {
        if (operation.progressDetail())
            details.append(*operation.progressDetail());
    });
    QSignalSpy stalled(&operation, &OperationState::progressStalledChanged);

    const auto failure = prepare(2s).failure<WineSupervisorError>();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->description(), WineSupervisorError::environmentDidNotStart(3).description());
    const QString hung = u"wineboot hung for 2 s; stopping all Wine processes\\."_s;
    EXPECT_TRUE(setupLogReads({attemptOne, hung, u"wineboot attempt 2 of 3 started\\."_s, hung,
                               u"wineboot attempt 3 of 3 started\\."_s, hung}));
    // Once before the first attempt and after every hang.
    EXPECT_EQ(fake.recorded(u"wineserver-arguments"_s), QStringList(4, u"-k"_s));
    ASSERT_FALSE(details.isEmpty());
    const QRegularExpression waiting(u"^Attempt [1-3] of 3 · 0:0[0-2] · waiting \\(\\d s idle\\)$"_s);
    for (const QString &detail : details)
        EXPECT_TRUE(waiting.match(detail).hasMatch()) << detail.toStdString();
    EXPECT_TRUE(stalled.isEmpty());
}

TEST_F(WinePrefixTest, RefusesWhileTheGameRuns)
{
    fake.setScenario("program=hang");
    QProcess game;
    game.start(fake.wine(), {u"C:\\GeneralsZH\\generals.exe"_s});
    ASSERT_TRUE(game.waitForStarted());
    const auto failure = prepare().failure<WineSupervisorError>();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->description(), WineSupervisorError::gameAlreadyRunning().description());
    EXPECT_EQ(operation.activity(), u"Stopping leftover Wine processes…"_s);
    EXPECT_TRUE(fake.recorded(u"wineserver-arguments"_s).isEmpty());
    EXPECT_TRUE(setupLogReads({}));
}

// Without wineboot the prefix stays as it is; a Wine that cannot start is
// passed on, and a file where the prefix belongs is refused before Wine runs.
TEST_F(WinePrefixTest, WithoutWinebootLeavesThePrefixAsItIs)
{
    ASSERT_TRUE(QFile::remove(fake.wineboot()));
    EXPECT_TRUE(prepare().value);
    EXPECT_TRUE(fake.recorded(u"wine-arguments"_s).isEmpty());
    EXPECT_FALSE(QFile::exists(Locations::setupLogFile()));
    FileTree::writeFile(fake.wineboot());
    ASSERT_TRUE(QFile::remove(fake.wine()));
    EXPECT_TRUE(prepare().failure<ProcessStartError>());
    QDir(prefix).removeRecursively();
    FileTree::writeFile(prefix);
    EXPECT_EQ(prepare().failure<UserFacingError>()->description(),
              u"Tarnhold could not create the folder “%1”."_s.arg(prefix));
}

// The stall line counts down to the restart that the time limit brings.
TEST(WinePrefixProgress, DescribesEachHealthWithTheRestartCountdown)
{
    using State = WineHealth::State;
    const std::tuple<int, double, WineHealth, QString> rows[] = {
        {2, 75.4, {State::stalled, 41}, u"Attempt 2 of 3 · 1:15 · no activity for 41 s, restarting in 14 s"_s},
        {3, 95.0, {State::stalled, 60}, u"Attempt 3 of 3 · 1:35 · no activity for 60 s, restarting in 0 s"_s},
        {1, 12.0, {State::waiting, 12}, u"Attempt 1 of 3 · 0:12 · waiting (12 s idle)"_s},
        {1, 3600.0, {State::working, 0}, u"Attempt 1 of 3 · 60:00 · working"_s}};
    for (const auto &[attempt, elapsed, health, text] : rows) {
        const WinePrefix::ProgressDetail detail = WinePrefix::describeProgress(attempt, elapsed, 90.0, health);
        EXPECT_EQ(detail.text, text);
        EXPECT_EQ(detail.stalled, health.state == State::stalled);
    }
}

} // namespace
