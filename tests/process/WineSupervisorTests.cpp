#include "fixtures/FakeWineRuntime.h"
#include "process/WineEnvironment.h"
#include "process/WineSupervisor.h"
#include "support/FakePlatform.h"
#include "support/FileTree.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCoroTask>
#include <QElapsedTimer>
#include <QProcess>

#include <csignal>

void PrintTo(const WineProcess &process, std::ostream *out)
{
    *out << process.pid << ' ' << process.cpu << ' ' << process.command.left(80).toStdString();
}

namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using State = WineHealth::State;

// Each row alone, then all of them as one listing with blank lines between.
TEST(WineSupervisor, ListingReadsEveryFormPsPrintsAndSkipsTheRest)
{
    const QString runtime = u"/home/player/Runtime/current"_s;
    const QString wine = runtime + u"/bin/wine C:\\GeneralsZH\\generals.exe -quickstart"_s;
    // From 100 on without a decimal, macOS's ps writes the locale's comma, and
    // the command keeps its own leading spaces.
    const std::pair<QString, WineProcess> read[] = {
        {u"  4242  12.5 "_s + wine, {4242, 12.5, wine}},  {u"  412  100 "_s + wine, {412, 100.0, wine}},
        {u"99999 1234 "_s + wine, {99999, 1234.0, wine}}, {u"8 12,5 "_s + wine, {8, 12.5, wine}},
        {u"7 0.0   "_s + wine, {7, 0.0, u"  "_s + wine}},
    };
    // Other programs, the path in another case, ids kill() would take as a
    // group or everything, ids out of range, shares ps never prints but a
    // number parser takes, missing fields.
    QStringList skipped{u"2 0.0 /opt/wine/bin/wine notepad.exe"_s,
                        u"3 0.0 "_s + wine.toUpper(),
                        QString(200000, u'9') + u" 1 "_s + wine,
                        u"12 1.0"_s,
                        u"12 1.0   "_s,
                        u"\xff\xfe 3 \x01"_s};
    for (const char *fields : {"0 1.0", "-1 1.0", "+9 1.0", "4294967296 1.0", "12 nan", "12 inf", "12 1e3", "12 -1.0",
                               "12 1.2.3", "12 busy", "12", "pid 1.0"})
        skipped.append(QLatin1String(fields) + u' ' + wine);

    QString listing;
    QList<WineProcess> expected;
    for (const auto &[row, process] : read) {
        EXPECT_EQ(WineSupervisor::parseProcessList(row, runtime), QList{process}) << row.toStdString();
        listing += row + u"\n\n"_s;
        expected.append(process);
    }
    for (const QString &row : std::as_const(skipped)) {
        EXPECT_TRUE(WineSupervisor::parseProcessList(row, runtime).isEmpty()) << row.left(80).toStdString();
        listing += row + u'\n';
    }
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
