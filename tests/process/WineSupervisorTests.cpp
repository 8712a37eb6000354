#include "platform/Platform.h"
#include "process/WineEnvironment.h"
#include "process/WineSupervisor.h"
#include "support/FileTree.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCoroTask>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>

#include <csignal>

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
    QString listing = u"2 0.0 /opt/wine/bin/wine notepad.exe\n3 0.0 "_s + wine.toUpper() + u'\n' + QString(200000, u'9')
                      + u" 1 "_s + wine + u"\n12 1.0\n12 1.0   \n\xff\xfe 3 \x01\n"_s;
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

// Tarnhold's own process is never one of them. The lister reads its standard
// input first: a pipe left open would keep it waiting until its limit, and
// the listing would count as empty.
TEST(WineSupervisor, RunningProcessesLeaveOutTarnhold)
{
    const ToolCommand lister{u"sh"_s,
                             {u"-c"_s, u"cat; printf '%1 1.0 /rt/bin/wine a.exe\n4242 2.0 /rt/bin/wine b.exe\n'"_s.arg(
                                           QCoreApplication::applicationPid())}};
    EXPECT_EQ(QCoro::waitFor(WineSupervisor(u"/rt"_s, FileTree::inHome(u"prefix"_s), {}, lister).runningProcesses()),
              QList<WineProcess>({{4242, 2.0, u"/rt/bin/wine b.exe"_s}}));
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

    EnvironmentVariables creation = WineSupervisor(QString(), QString(), environment, {}).prefixCreationEnvironment();
    EXPECT_EQ(Environment::value(creation, u"WINEDLLOVERRIDES"_s),
              *value("WINEDLLOVERRIDES") + u";mscoree=d;mshtml=d"_s);
    Environment::set(creation, u"WINEDLLOVERRIDES"_s, *value("WINEDLLOVERRIDES"));
    EXPECT_EQ(creation, environment);
}

// Wine processes start outside any QProcess, as the game does. The stand-in
// "bin/wineserver -k" notes the prefix it was given and sends SIGTERM to
// every process started so far. With nothing running, shutting down ends at
// once rather than after a grace far beyond the bound. Then one process
// ignores SIGTERM, and on Linux one shows what Debian's Wine does: a Windows
// path, with WINEPREFIX in its environment (as do the children of each,
// hence "at least").
TEST(WineShutdown, EndsEveryProcessOfItsRuntimeAndPrefix)
{
    const QString runtime = FileTree::inHome(u"Runtime/current"_s);
    const QString prefix = FileTree::inHome(u"Prefix"_s);
    FileTree::writeExecutable(
        runtime + u"/bin/wineserver"_s,
        "#!/bin/sh\n[ \"$1\" = -k ] || exit 0\necho \"$WINEPREFIX\" >~/killed\nkill $(cat ~/pids)\n");
    const auto supervisor = [&](WineTiming timing) {
        return WineSupervisor(runtime, prefix, wineEnvironment(runtime, prefix),
                              createPlatform()->listProcessesCommand(), timing);
    };
    const auto running = [](const WineSupervisor &wine) { return QCoro::waitFor(wine.runningProcesses()).size(); };
    QElapsedTimer clock;
    clock.start();
    QCoro::waitFor(supervisor({.shutDownGrace = 60s}).shutDown());
    EXPECT_LT(clock.elapsed(), 30'000);

    // A shell that loops until stopped, its command line holding the
    // arguments; through env, which becomes the shell, so its pid is the one
    // recorded, and killed at the end whatever happened.
    QStringList started;
    const auto killStarted = qScopeGuard([&] {
        for (const QString &pid : std::as_const(started))
            ::kill(pid.toInt(), SIGKILL);
    });
    const auto start = [&](const QString &script, const QStringList &arguments) {
        QStringList command(u"-i"_s);
        for (const auto &[name, value] : wineEnvironment(runtime, prefix))
            command.append(name + u'=' + value);
        command += QStringList{u"/bin/sh"_s, u"-c"_s, script + u"while :; do sleep 1; done"_s} + arguments;
        qint64 pid = 0;
        ASSERT_TRUE(QProcess::startDetached(u"env"_s, command, QString(), &pid));
        started.append(QString::number(pid));
        FileTree::writeFile(FileTree::inHome(u"pids"_s), started.join(u' ').toUtf8());
    };
    const WineSupervisor wine = supervisor({.pollInterval = 50ms, .shutDownGrace = 500ms, .signalWait = 500ms});
    start(u"trap '' TERM; "_s, {runtime + u"/bin/wine"_s, u"C:\\windows\\system32\\winedevice.exe"_s});
#ifdef Q_OS_LINUX
    start(QString(), {u"C:\\windows\\system32\\services.exe"_s});
#endif
    ASSERT_TRUE(eventually([&] { return running(wine) >= started.size(); }));
    EXPECT_FALSE(QCoro::waitFor(wine.gameClientIsRunning()));
    start(QString(), {runtime + u"/bin/wine"_s, u"C:\\GeneralsZH\\generals.exe"_s});
    EXPECT_TRUE(eventually([&] { return QCoro::waitFor(wine.gameClientIsRunning()); }));
    // Another runtime's and prefix's processes are not ours, and empty paths
    // would claim every process.
    for (const auto &[otherRuntime, otherPrefix] :
         {std::pair<QString, QString>(runtime + u"-other"_s, prefix + u"-other"_s),
          {QString(), prefix},
          {runtime, QString()}})
        EXPECT_EQ(running({otherRuntime, otherPrefix, {}, createPlatform()->listProcessesCommand()}), 0);

    QCoro::waitFor(wine.shutDown());
    EXPECT_EQ(running(wine), 0);
    QFile killed(FileTree::inHome(u"killed"_s));
    EXPECT_TRUE(killed.open(QIODevice::ReadOnly) && killed.readAll() == prefix.toUtf8() + '\n');
}

} // namespace
