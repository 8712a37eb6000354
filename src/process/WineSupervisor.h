#pragma once

#include "base/WineTiming.h"
#include "platform/Platform.h"
#include "process/EnvironmentVariables.h"

#include <QCoroTask>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QList>
#include <QString>

#include <optional>

// One row of the process listing.
struct WineProcess
{
    qint32 pid = 0;
    // Percent of one core, as the lister reports it.
    double cpu = 0.0;
    QString command;

    bool operator==(const WineProcess &) const = default;
};

// Activity of a prefix creation, sampled by the caller.
struct WineSnapshot
{
    int processCount = 0;
    // Summed over the Wine processes.
    double cpuPercent = 0.0;
    std::optional<QDateTime> lastPrefixWrite;
};

// How a supervised Wine step is doing; idleSeconds is whole seconds without
// a prefix write (zero when working).
struct WineHealth
{
    enum class State { working, waiting, stalled };

    State state = State::working;
    int idleSeconds = 0;

    bool operator==(const WineHealth &) const = default;
};

// Watches the Wine processes of one runtime and the prefix they work on.
// A plain value: every query looks at the live system. Its coroutines copy
// it first, so the value they were called on may go away meanwhile.
class WineSupervisor
{
public:
    // lister: the system's process lister, printing "pid= pcpu= command=".
    WineSupervisor(QString runtime, QString prefix, EnvironmentVariables environment, ToolCommand lister,
                   WineTiming timing = {});

    QString runtime() const { return m_runtime; }
    QString prefix() const { return m_prefix; }
    EnvironmentVariables environment() const { return m_environment; }

    // The rows of a "pid= pcpu= command=" listing whose command line holds
    // runtimePath; malformed rows and ids that are not positive are skipped.
    // The share may be whole or have a decimal point or comma.
    static QList<WineProcess> parseProcessList(const QString &listing, const QString &runtimePath);

    // Tarnhold's Wine processes other than Tarnhold itself: those whose
    // command line holds the runtime path and, on Linux, those whose
    // environment names the prefix (Wine shows Windows paths there). A
    // listing that fails counts as none.
    QCoro::Task<QList<WineProcess>> runningProcesses() const;
    // Whether a Wine process's command line mentions the game, in any case.
    QCoro::Task<bool> gameClientIsRunning() const;
    // Polls until no Wine process is left (true) or the deadline passed.
    QCoro::Task<bool> waitForExit(QDeadlineTimer deadline) const;
    // Stops every Wine process in escalating steps: "wineserver -k", the
    // grace period, SIGTERM, SIGKILL; returns as soon as none is left. Never
    // fails.
    QCoro::Task<> shutDown() const;
    // Waits until the Wine server of the prefix has stopped ("wineserver
    // -w"), and stops everything when it will not. Debian's Wine returns from
    // "wineboot -u" before the registry files exist; its server writes them
    // as it stops.
    QCoro::Task<> awaitServerExit() const;
    // The Wine processes' count and summed CPU share, and the latest prefix
    // write; the file reads happen off the calling thread.
    QCoro::Task<WineSnapshot> snapshot() const;

    // Whether the prefix has all the registry files and system folder of a
    // finished creation. Wine writes the registry files when its server
    // stops, which can be seconds after wineboot has exited.
    bool prefixIsUsable() const;
    // The latest change to the prefix's top-level items, absent when none exists.
    std::optional<QDateTime> lastPrefixWrite() const;
    // elapsed: seconds since the supervised step started.
    static WineHealth health(const WineSnapshot &snapshot, double elapsed, const QDateTime &now);
    // The environment for wineboot: also keeps .NET and the HTML engine from
    // installing, which can hang prefix creation.
    EnvironmentVariables prefixCreationEnvironment() const;

private:
    static QList<WineProcess> parseProcessRows(const QString &listing);
    bool isOurs(const WineProcess &process) const;
    // The listed processes that are ours; blocks while it reads /proc.
    QList<WineProcess> ourProcesses(const QByteArray &listing) const;
    // Runs the runtime's "bin/wineserver" with argument within its limit;
    // false when it is missing, fails or overruns.
    QCoro::Task<bool> runWineserver(QString argument) const;

    QString m_runtime;
    QString m_prefix;
    EnvironmentVariables m_environment;
    ToolCommand m_lister;
    WineTiming m_timing;
};
