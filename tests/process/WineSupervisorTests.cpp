#include "fixtures/FakeWineRuntime.h"
#include "process/WineEnvironment.h"
#include "process/WineSupervisor.h"
#include "process/WineSupervisorError.h"
#include "support/FakePlatform.h"
#include "support/FileTree.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCoroTask>
#include <QElapsedTimer>
#include <QProcess>

#include <csignal>

namespace {

using namespace std::chrono_literals;
using State = WineHealth::State;

TEST(WineSupervisor, ListingKeepsOnlyWellFormedRowsOfTheRuntime)
{
    const QString runtime = QStringLiteral("/home/player/Runtime/current");
    const QString wine = runtime + QStringLiteral("/bin/wine C:\\GeneralsZH\\generals.exe -quickstart");
    // One valid row per line first; then other programs, unparsable fields,
    // ids kill() would take as a group or everything, and garbage.
    const QString listing =
        QStringLiteral("  4242  12.5 ") + wine + QStringLiteral("\n\n7 0.0   ") + wine
        + QStringLiteral("\n2 0.0 /opt/wine/bin/wine notepad.exe\n3 0.0 ") + wine.toUpper()
        + QStringLiteral("\npid 1.0 %1\n0 1.0 %1\n-1 1.0 %1\n4294967296 1.0 %1\n12 busy %1\n12 1.0\n"
                         "12 1.0 \n\xff\xfe 3 \x01\n   \n")
              .arg(wine)
        + QString(200000, QLatin1Char('9')) + QStringLiteral(" 1 ") + QString(200000, QLatin1Char('x'));
    // The command keeps its own leading spaces.
    const QList<WineProcess> expected{{4242, 12.5, wine}, {7, 0.0, QStringLiteral("  ") + wine}};
    EXPECT_EQ(WineSupervisor::parseProcessList(listing, runtime), expected);
    // An empty path would match every command line.
    EXPECT_TRUE(WineSupervisor::parseProcessList(listing, QString()).isEmpty());
}

// The lister reads its standard input first: a pipe left open would keep it
// waiting until its limit, and the listing would count as empty.
TEST(WineSupervisor, RunningProcessesLeaveOutTarnholdAndNeedBothPaths)
{
    const ToolCommand lister{
        QStringLiteral("sh"),
        {QStringLiteral("-c"), QStringLiteral("cat; printf '%1 1.0 /rt/bin/wine a.exe\n4242 2.0 /rt/bin/wine b.exe\n'")
                                   .arg(QCoreApplication::applicationPid())}};
    const auto running = [&](const QString &runtime, const QString &prefix) {
        return QCoro::waitFor(WineSupervisor(runtime, prefix, {}, lister).runningProcesses());
    };
    const QString runtime = QStringLiteral("/rt");
    const QString prefix = FileTree::inHome(QStringLiteral("prefix"));
    EXPECT_EQ(running(runtime, prefix), QList<WineProcess>({{4242, 2.0, QStringLiteral("/rt/bin/wine b.exe")}}));
    EXPECT_TRUE(running(QString(), prefix).isEmpty());
    EXPECT_TRUE(running(runtime, QString()).isEmpty());
}

TEST(WineSupervisor, PrefixNeedsEveryRegistryFileOverItsLimitAndTheSystemFolder)
{
    const QString prefix = FileTree::inHome(QStringLiteral("prefix"));
    const WineSupervisor supervisor(QString(), prefix, {}, {});
    EXPECT_FALSE(supervisor.prefixIsUsable());
    EXPECT_EQ(supervisor.lastPrefixWrite(), std::nullopt);

    const std::pair<QString, qint64> limits[] = {{QStringLiteral("/system.reg"), 100000},
                                                 {QStringLiteral("/user.reg"), 1000},
                                                 {QStringLiteral("/userdef.reg"), 100}};
    for (const auto &[name, limit] : limits)
        FileTree::writeFile(prefix + name, QByteArray(limit + 1, 'x'));
    EXPECT_FALSE(supervisor.prefixIsUsable());
    FileTree::makeFolder(prefix + QStringLiteral("/drive_c/windows/system32"));
    EXPECT_TRUE(supervisor.prefixIsUsable());
    EXPECT_TRUE(supervisor.lastPrefixWrite());
    for (const auto &[name, limit] : limits) {
        FileTree::writeFile(prefix + name, QByteArray(limit, 'x'));
        EXPECT_FALSE(supervisor.prefixIsUsable()) << name.toStdString();
        FileTree::writeFile(prefix + name, QByteArray(limit + 1, 'x'));
    }
}

TEST(WineSupervisor, HealthFollowsCpuAndPrefixWrites)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    // CPU, seconds since the last write (none: never written), seconds elapsed.
    const std::tuple<double, std::optional<qint64>, double, WineHealth> samples[] = {
        {1.0, 500, 500.0, {State::working, 0}}, {0.0, 9, 500.0, {State::working, 0}},
        {0.5, 12, 40.0, {State::waiting, 12}},  {0.5, 45, 40.0, {State::stalled, 40}},
        {0.0, {}, 29.9, {State::waiting, 29}},  {0.0, {}, 30.0, {State::stalled, 30}},
    };
    for (const auto &[cpu, sinceWrite, elapsed, expected] : samples) {
        const auto write = sinceWrite ? std::optional(now.addSecs(-*sinceWrite)) : std::nullopt;
        const WineHealth health = WineSupervisor::health({3, cpu, write}, elapsed, now);
        EXPECT_EQ(health, expected) << cpu << ' ' << elapsed << ' ' << health.idleSeconds;
    }
}

TEST(WineEnvironment, PassesOnlyTheListedVariablesInOrder)
{
    // Only this test reads them; HOME is the test's own.
    qputenv("USER", "player");
    qputenv("LANG", "de_DE.UTF-8");
    qputenv("TZ", "");
    for (const char *absent : {"LOGNAME", "TMPDIR", "LC_ALL", "LC_CTYPE"})
        qunsetenv(absent);

    EnvironmentVariables expected{
        {QStringLiteral("HOME"), FileTree::home()},
        {QStringLiteral("USER"), QStringLiteral("player")},
        {QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8")},
        {QStringLiteral("TZ"), QString()},
        {QStringLiteral("PATH"), QStringLiteral("/rt/bin:/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin")},
        {QStringLiteral("WINEPREFIX"), QStringLiteral("/pfx")},
        {QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("d3d8=n,b;winemenubuilder.exe=d")},
        {QStringLiteral("WINEDEBUG"), QStringLiteral("-all")},
        {QStringLiteral("WINEMSYNC"), QStringLiteral("1")},
        {QStringLiteral("DYLD_FALLBACK_LIBRARY_PATH"),
         QStringLiteral(
             "/rt/lib/external:/usr/local/opt/freetype/lib:/usr/local/opt/gnutls/lib:/usr/local/lib:/usr/lib")},
    };
    const EnvironmentVariables environment = wineEnvironment(QStringLiteral("/rt"), QStringLiteral("/pfx"));
    EXPECT_EQ(environment, expected);

    // Prefix creation changes only the DLL overrides, in place.
    expected[6].second = QStringLiteral("d3d8=n,b;winemenubuilder.exe=d;mscoree=d;mshtml=d");
    EXPECT_EQ(WineSupervisor(QString(), QString(), environment, {}).prefixCreationEnvironment(), expected);
}

TEST(WineSupervisorError, Descriptions)
{
    EXPECT_EQ(WineSupervisorError::environmentDidNotStart(3).description(),
              QStringLiteral("The Mac compatibility environment did not start after 3 attempts. Tarnhold stopped all "
                             "leftover Wine processes each time. No Steam game files were deleted. Details are in "
                             "~/Library/Logs/Tarnhold/wine-setup.log."));
    EXPECT_EQ(WineSupervisorError::gameAlreadyRunning().description(),
              QStringLiteral("Velmora is still running from an earlier session. Close the game first."));
}

// Wine processes started outside any QProcess, as the game is; whatever a
// failing test leaves behind is killed at its end.
class WineShutdown : public testing::Test
{
protected:
    void TearDown() override
    {
        for (const qint64 pid : std::as_const(m_started))
            ::kill(static_cast<pid_t>(pid), SIGKILL);
    }

    WineSupervisor supervisor(WineTiming timing) const
    {
        return {m_runtime, m_prefix, wineEnvironment(m_runtime, m_prefix), FakePlatform().listProcessesCommand(),
                timing};
    }

    // Through env, which becomes the program: its pid is the one recorded.
    void start(const QStringList &command)
    {
        QStringList arguments(QStringLiteral("-i"));
        for (const auto &[name, value] : wineEnvironment(m_runtime, m_prefix))
            arguments.append(name + QLatin1Char('=') + value);
        qint64 pid = 0;
        ASSERT_TRUE(QProcess::startDetached(QStringLiteral("env"), arguments + command, QString(), &pid));
        m_started.append(pid);
    }

    static int running(const WineSupervisor &supervisor)
    {
        return int(QCoro::waitFor(supervisor.runningProcesses()).size());
    }

    const QString m_runtime = FileTree::inHome(QStringLiteral("Runtime/current"));
    const QString m_prefix = FileTree::inHome(QStringLiteral("Prefix"));
    QList<qint64> m_started;
};

// A grace far beyond the bound: only returning at once when nothing runs,
// and wineserver -k ending the game, finish within it.
TEST_F(WineShutdown, ReturnsEarlyWhenNothingRunsAndWineserverEndsTheGame)
{
    WineTiming timing;
    timing.shutDownGrace = 60s;
    const WineSupervisor wine = supervisor(timing);
    FakeWineRuntime::create(m_runtime, FakeWineRuntime::Scenario::game);
    QElapsedTimer clock;
    clock.start();
    QCoro::waitFor(wine.shutDown());
    EXPECT_LT(clock.elapsed(), 30'000);

    start({m_runtime + QStringLiteral("/bin/wine"), QStringLiteral("C:\\windows\\system32\\winedevice.exe")});
    ASSERT_TRUE(eventually([&] { return QCoro::waitFor(wine.gameClientIsRunning()); }));
    clock.restart();
    QCoro::waitFor(wine.shutDown());
    EXPECT_LT(clock.elapsed(), 30'000);
    EXPECT_EQ(running(wine), 0);
}

TEST_F(WineShutdown, SignalsEndTheRestEvenWhenSigtermIsIgnored)
{
    WineTiming timing;
    timing.pollInterval = 50ms;
    timing.shutDownGrace = 500ms;
    timing.signalWait = 500ms;
    const WineSupervisor wine = supervisor(timing);
    FakeWineRuntime::create(m_runtime, FakeWineRuntime::Scenario::ignoreTerm);
    start({m_runtime + QStringLiteral("/bin/wine"), QStringLiteral("C:\\windows\\system32\\winedevice.exe")});
    int started = 1;
#ifdef Q_OS_LINUX
    // What Debian's Wine shows: a Windows path, with WINEPREFIX in the environment
    // (as do the children of each, hence "at least").
    start({QStringLiteral("/bin/sh"), QStringLiteral("-c"), QStringLiteral("while :; do sleep 1; done"),
           QStringLiteral("C:\\windows\\system32\\services.exe")});
    ++started;
#endif
    ASSERT_TRUE(eventually([&] { return running(wine) >= started; }));
    EXPECT_FALSE(QCoro::waitFor(wine.gameClientIsRunning()));
    // Another runtime's and prefix's processes are not ours.
    EXPECT_EQ(running(WineSupervisor(m_runtime + QStringLiteral("-other"), m_prefix + QStringLiteral("-other"), {},
                                     FakePlatform().listProcessesCommand())),
              0);

    QCoro::waitFor(wine.shutDown());
    EXPECT_EQ(running(wine), 0);
}

} // namespace
