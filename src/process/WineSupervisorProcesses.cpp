#include "base/Locations.h"
#include "process/ProcessRunner.h"
#include "process/WineSupervisor.h"

#include <QCoreApplication>
#include <QCoroFuture>
#include <QCoroProcess>
#include <QCoroTimer>
#include <QFile>
#include <QProcess>
#include <QtConcurrentRun>

#include <array>
#include <csignal>

namespace {

// Asked politely first, then forced.
constexpr std::array escalation{SIGTERM, SIGKILL};

#ifdef Q_OS_LINUX
// Debian's Wine shows Windows paths as its processes' command lines, but
// each one keeps WINEPREFIX in its environment.
bool environmentNamesPrefix(qint32 pid, const QString &prefix)
{
    QFile file(QStringLiteral("/proc/%1/environ").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray wanted = "WINEPREFIX=" + prefix.toUtf8();
    return file.readAll().split('\0').contains(wanted);
}
#endif

} // namespace

bool WineSupervisor::isOurs(const WineProcess &process) const
{
    // Empty paths would claim every process of the system.
    if (process.pid == QCoreApplication::applicationPid() || m_runtime.isEmpty() || m_prefix.isEmpty())
        return false;
    if (process.command.contains(m_runtime))
        return true;
#ifdef Q_OS_LINUX
    return environmentNamesPrefix(process.pid, m_prefix);
#else
    return false;
#endif
}

QCoro::Task<QList<WineProcess>> WineSupervisor::runningProcesses() const
{
    const WineSupervisor self = *this;
    // On the heap: a listing that overruns its limit is killed and reaped
    // later rather than waited for by QProcess's destructor.
    auto *lister = new QProcess;
    lister->setStandardInputFile(QProcess::nullDevice());
    lister->setStandardErrorFile(QProcess::nullDevice());
    if (!co_await qCoro(lister).start(self.m_lister.program, self.m_lister.arguments, QIODevice::ReadOnly,
                                      self.m_timing.listingLimit)) {
        lister->deleteLater();
        co_return {};
    }
    if (!co_await qCoro(lister).waitForFinished(self.m_timing.listingLimit)) {
        QObject::connect(lister, &QProcess::finished, lister, &QObject::deleteLater);
        lister->kill();
        co_return {};
    }
    const QByteArray listing = lister->readAllStandardOutput();
    lister->deleteLater();
    // Reading every listed process's environment blocks; the callers may be
    // on the GUI thread. A member function rather than a lambda: GCC 12
    // destroys the captures of a lambda made inside a coroutine twice.
    QFuture<QList<WineProcess>> filtering = QtConcurrent::run(&WineSupervisor::ourProcesses, self, listing);
    co_return co_await filtering;
}

QList<WineProcess> WineSupervisor::ourProcesses(const QByteArray &listing) const
{
    QList<WineProcess> processes = parseProcessRows(QString::fromUtf8(listing));
    processes.removeIf([this](const WineProcess &process) { return !isOurs(process); });
    return processes;
}

QCoro::Task<WineSnapshot> WineSupervisor::snapshot() const
{
    const WineSupervisor self = *this;
    const QList<WineProcess> processes = co_await self.runningProcesses();
    WineSnapshot sample{static_cast<int>(processes.size()), 0.0, std::nullopt};
    for (const WineProcess &process : processes)
        sample.cpuPercent += process.cpu;
    QFuture<std::optional<QDateTime>> reading = QtConcurrent::run(&WineSupervisor::lastPrefixWrite, self);
    sample.lastPrefixWrite = co_await reading;
    co_return sample;
}

QCoro::Task<bool> WineSupervisor::gameClientIsRunning() const
{
    const WineSupervisor self = *this;
    const QList<WineProcess> processes = co_await self.runningProcesses();
    co_return std::ranges::any_of(processes, [](const WineProcess &process) {
        return process.command.contains(QLatin1String("generals"), Qt::CaseInsensitive);
    });
}

QCoro::Task<bool> WineSupervisor::waitForExit(QDeadlineTimer deadline) const
{
    const WineSupervisor self = *this;
    while (!(co_await self.runningProcesses()).isEmpty()) {
        if (deadline.hasExpired())
            co_return false;
        co_await QCoro::sleepFor(self.m_timing.pollInterval);
    }
    co_return true;
}

QCoro::Task<bool> WineSupervisor::runWineserver(QString argument) const
{
    const WineSupervisor self = *this;
    const QString wineserver = self.m_runtime + QStringLiteral("/bin/wineserver");
    if (!isExecutableFile(wineserver))
        co_return false;
    const double limit = std::chrono::duration<double>(self.m_timing.wineserverLimit).count();
    const QStringList arguments(argument);
    try {
        co_await ProcessRunner::run(wineserver, arguments, self.m_environment, std::nullopt, limit);
    } catch (const std::exception &) {
        co_return false;
    }
    co_return true;
}

QCoro::Task<> WineSupervisor::awaitServerExit() const
{
    const WineSupervisor self = *this;
    // A server that does not go away on its own is stopped, which writes the
    // registry just as well.
    if (!co_await self.runWineserver(QStringLiteral("-w")))
        co_await self.shutDown();
}

QCoro::Task<> WineSupervisor::shutDown() const
{
    const WineSupervisor self = *this;
    // Whatever "wineserver -k" leaves running, the signals below stop.
    co_await self.runWineserver(QStringLiteral("-k"));
    if (co_await self.waitForExit(QDeadlineTimer(self.m_timing.shutDownGrace)))
        co_return;
    for (const int signalNumber : escalation) {
        const QList<WineProcess> survivors = co_await self.runningProcesses();
        if (survivors.isEmpty())
            co_return;
        // One process at a time, never a group; one that has gone meanwhile
        // makes kill() fail, which is fine.
        for (const WineProcess &process : survivors)
            ::kill(process.pid, signalNumber);
        if (co_await self.waitForExit(QDeadlineTimer(self.m_timing.signalWait)))
            co_return;
    }
}
