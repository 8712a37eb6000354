#include "platform/Platform.h"
#include "process/WineEnvironment.h"
#include "process/WineSupervisor.h"
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

// All rows as one listing, with blank lines between those that are read.
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
    QString listing = u"2 0.0 /opt/wine/bin/wine notepad.exe\n3 0.0 "_s + wine.toUpper() + u'\n'
                      + QString(200000, u'9') + u" 1 "_s + wine + u"\n12 1.0\n12 1.0   \n\xff\xfe 3 \x01\n"_s;
    for (const char *fields : {"0 1.0", "-1 1.0", "+9 1.0", "4294967296 1.0", "12 nan", "12 inf", "12 1e3", "12 -1.0",
                               "12 1.2.3", "12 busy", "12", "pid 1.0"})
        listing += QLatin1String(fields) + u' ' + wine + u'\n';
    QList<WineProcess> expected;
    for (const auto &[row, process] : read) {
        listing += row + u"\n\n"_s;
        expected.append(process);
    }
    EXPECT_EQ(WineSupervisor::parseProcessList(listing, runtime), expected);
    // An empty path would match every command line.
    EXPECT_TRUE(WineSupervisor::parseProcessList(listing, QString()).isEmpty());
}

// The lister reads its standard input first: a pipe left open would keep it
// waiting until its limit, and the listing would count as empty.
TEST(WineSupervisor, RunningProcessesLeaveOutTarnholdAndNeedBothPaths)
{
    const ToolCommand lister{u"sh"_s, {u"-c"_s, u"cat; printf '%1 1.0 /rt/bin/wine a.exe\n4242 2.0 /rt/bin/wine b.exe\n'"_s
                                                    .arg(QCoreApplication::applicationPid())}};
    const auto running = [&](const QString &runtime, const QString &prefix) {
        return QCoro::waitFor(WineSupervisor(runtime, prefix, {}, lister).runningProcesses());
    };
    const QString prefix = FileTree::inHome(u"prefix"_s);
    EXPECT_EQ(running(u"/rt"_s, prefix), QList<WineProcess>({{4242, 2.0, u"/rt/bin/wine b.exe"_s}}));
    EXPECT_TRUE(running(QString(), prefix).isEmpty());
    EXPECT_TRUE(running(u"/rt"_s, QString()).isEmpty());
}

TEST(WineSupervisor, PrefixNeedsEveryRegistryFileOverItsLimitAndTheSystemFolder)
{
    const QString prefix = FileTree::inHome(u"prefix"_s);
    const WineSupervisor supervisor(QString(), prefix, {}, {});
    EXPECT_EQ(supervisor.lastPrefixWrite(), std::nullopt);
    const std::pair<QString, qint64> limits[] = {
        {u"/system.reg"_s, 100000}, {u"/user.reg"_s, 1000}, {u"/userdef.reg"_s, 100}};
    for (const auto &[name, limit] : limits)
        FileTree::writeFile(prefix + name, QByteArray(limit + 1, 'x'));
    EXPECT_FALSE(supervisor.prefixIsUsable());
    FileTree::makeFolder(prefix + u"/drive_c/windows/system32"_s);
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

// Of Tarnhold's own variables only those listed and set reach Wine, an
// empty one too; prefix creation changes nothing but the DLL overrides.
TEST(WineEnvironment, PassesOnlyTheListedVariablesSet)
{
    qputenv("TZ", "");
    qunsetenv("LC_ALL");
    qputenv("TARNHOLD_UNLISTED", "1");
    const EnvironmentVariables environment = wineEnvironment(u"/rt"_s, u"/pfx"_s);
    const auto value = [&](const char *name) { return Environment::value(environment, QLatin1String(name)); };
    EXPECT_EQ(value("HOME"), FileTree::home());
    EXPECT_EQ(value("TZ"), QString());
    EXPECT_EQ(value("LC_ALL"), std::nullopt);
    EXPECT_EQ(value("TARNHOLD_UNLISTED"), std::nullopt);
    EXPECT_TRUE(value("PATH")->startsWith(u"/rt/bin:"_s));
    EXPECT_EQ(value("WINEPREFIX"), u"/pfx"_s);

    EnvironmentVariables creation = WineSupervisor(QString(), QString(), environment, {}).prefixCreationEnvironment();
    EXPECT_EQ(Environment::value(creation, u"WINEDLLOVERRIDES"_s), *value("WINEDLLOVERRIDES") + u";mscoree=d;mshtml=d"_s);
    Environment::set(creation, u"WINEDLLOVERRIDES"_s, *value("WINEDLLOVERRIDES"));
    EXPECT_EQ(creation, environment);
}

// A stand-in runtime: "bin/wine" records its pid and runs until stopped, its
// command line holding its own path and its arguments; "bin/wineserver -k"
// sends SIGTERM to every recorded pid. Wine processes start outside any
// QProcess, as the game does; whatever a failing test leaves is killed.
class WineShutdown : public testing::Test
{
protected:
    const QString m_runtime = FileTree::inHome(u"Runtime/current"_s);
    const QString m_prefix = FileTree::inHome(u"Prefix"_s);
    QList<qint64> m_started;

    void TearDown() override
    {
        for (const qint64 pid : std::as_const(m_started))
            ::kill(static_cast<pid_t>(pid), SIGKILL);
    }

    WineSupervisor supervisor(WineTiming timing, bool winesIgnoreSigterm)
    {
        FileTree::writeExecutable(m_runtime + u"/bin/wine"_s,
                                  "#!/bin/sh\necho $$ >> \"${0%/bin/wine}/pids\"\n"
                                      + QByteArray(winesIgnoreSigterm ? "trap '' TERM\n" : "")
                                      + "exec /bin/sh -c 'while :; do sleep 1; done' \"$0\" \"$@\"\n");
        FileTree::writeExecutable(m_runtime + u"/bin/wineserver"_s,
                                  "#!/bin/sh\n[ \"$1\" = -k ] && xargs kill < \"${0%/bin/wineserver}/pids\"\nexit 0\n");
        return {m_runtime, m_prefix, wineEnvironment(m_runtime, m_prefix), createPlatform()->listProcessesCommand(),
                timing};
    }

    // Through env, which becomes the program: its pid is the one recorded.
    void start(const QStringList &command)
    {
        QStringList arguments(u"-i"_s);
        for (const auto &[name, value] : wineEnvironment(m_runtime, m_prefix))
            arguments.append(name + u'=' + value);
        qint64 pid = 0;
        ASSERT_TRUE(QProcess::startDetached(u"env"_s, arguments + command, QString(), &pid));
        m_started.append(pid);
    }

    static int running(const WineSupervisor &supervisor)
    {
        return int(QCoro::waitFor(supervisor.runningProcesses()).size());
    }
};

// A grace far beyond the bound: only wineserver -k ending the game, and
// returning at once when nothing runs, finish within it.
TEST_F(WineShutdown, WineserverEndsTheGameAndNothingRunningReturnsAtOnce)
{
    const WineSupervisor wine = supervisor({.shutDownGrace = 60s}, false);
    start({m_runtime + u"/bin/wine"_s, u"C:\\GeneralsZH\\generals.exe"_s});
    ASSERT_TRUE(eventually([&] { return QCoro::waitFor(wine.gameClientIsRunning()); }));
    QElapsedTimer clock;
    clock.start();
    QCoro::waitFor(wine.shutDown());
    EXPECT_EQ(running(wine), 0);
    QCoro::waitFor(wine.shutDown());
    EXPECT_LT(clock.elapsed(), 30'000);
}

TEST_F(WineShutdown, SignalsEndTheRestEvenWhenSigtermIsIgnored)
{
    const WineSupervisor wine = supervisor({.pollInterval = 50ms, .shutDownGrace = 500ms, .signalWait = 500ms}, true);
    start({m_runtime + u"/bin/wine"_s, u"C:\\windows\\system32\\winedevice.exe"_s});
    int started = 1;
#ifdef Q_OS_LINUX
    // What Debian's Wine shows: a Windows path, with WINEPREFIX in the environment
    // (as do the children of each, hence "at least").
    start({u"/bin/sh"_s, u"-c"_s, u"while :; do sleep 1; done"_s, u"C:\\windows\\system32\\services.exe"_s});
    ++started;
#endif
    ASSERT_TRUE(eventually([&] { return running(wine) >= started; }));
    EXPECT_FALSE(QCoro::waitFor(wine.gameClientIsRunning()));
    // Another runtime's and prefix's processes are not ours.
    EXPECT_EQ(running(WineSupervisor(m_runtime + u"-other"_s, m_prefix + u"-other"_s, {},
                                     createPlatform()->listProcessesCommand())),
              0);

    QCoro::waitFor(wine.shutDown());
    EXPECT_EQ(running(wine), 0);
}

} // namespace
