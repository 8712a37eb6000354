#include "setup/WinePrefix.h"

#include "base/FileChanges.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "process/ProcessRunner.h"
#include "process/ProcessRunnerError.h"
#include "process/WineSupervisorError.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>

namespace {

constexpr int maxAttempts = 3;

// Whole seconds, truncated; negative and unknown durations count as none and
// absurd ones are capped.
qint64 wholeSeconds(double seconds)
{
    return seconds > 0.0 ? static_cast<qint64>(std::min(seconds, 1e15)) : 0;
}

} // namespace

WinePrefix::WinePrefix(Services services, OperationState &operation, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_operation(operation)
{}

QCoro::Task<> WinePrefix::prepareWinePrefix(WineSupervisor supervisor, QString wine, QString wineboot)
{
    const QPointer<WinePrefix> self(this);
    try {
        co_await prepare(supervisor, wine, wineboot);
    } catch (...) {
        if (self)
            endSupervision();
        throw;
    }
    if (self)
        endSupervision();
}

QCoro::Task<> WinePrefix::prepare(WineSupervisor supervisor, QString wine, QString wineboot)
{
    const QPointer<WinePrefix> self(this);
    m_operation.setProgressIsIndeterminate(true);
    reach(0.05);
    m_operation.setActivity(QStringLiteral("Stopping leftover Wine processes…"));
    if (co_await supervisor.gameClientIsRunning())
        throw WineSupervisorError::gameAlreadyRunning();
    co_await supervisor.shutDown();
    if (!self)
        co_return;
    if (supervisor.prefixIsUsable()) {
        appendSetupLog(QStringLiteral("Reusing the existing Windows environment; skipping wineboot."));
        reach(0.16);
        m_operation.setActivity(QStringLiteral("Reusing the existing Windows environment"));
        co_return;
    }
    // A runtime without wineboot cannot create a prefix; what is there stays
    // as it is.
    if (!QFileInfo::exists(wineboot))
        co_return;
    // Over a file wine fails with a status that counts as done; refuse first.
    makeFolder(supervisor.prefix());
    for (int attempt = 1;; ++attempt) {
        const bool usable = co_await runAttempt(supervisor, wine, wineboot, attempt);
        if (!self)
            co_return;
        if (usable)
            break;
        if (attempt == maxAttempts)
            throw WineSupervisorError::environmentDidNotStart(maxAttempts);
    }
    reach(0.16);
    m_operation.setActivity(QStringLiteral("Compatibility environment ready"));
}

QCoro::Task<bool> WinePrefix::runAttempt(WineSupervisor supervisor, QString wine, QString wineboot, int attempt)
{
    const QPointer<WinePrefix> self(this);
    reach(0.06 + 0.03 * (attempt - 1));
    m_operation.setActivity(QStringLiteral("Creating the Windows environment…"));
    appendSetupLog(QStringLiteral("wineboot attempt %1 of %2 started.").arg(attempt).arg(maxAttempts));

    const double limit = std::chrono::duration<double>(m_services.timing.wine.winebootLimit).count();
    ++m_attemptToken;
    QElapsedTimer clock;
    clock.start();
    const QStringList arguments{wineboot, QStringLiteral("-u")};
    const std::function<void(double)> onTick = sampler(supervisor, attempt, limit);
    std::optional<ProcessRunnerError> failure;
    try {
        co_await ProcessRunner::run(wine, arguments, supervisor.prefixCreationEnvironment(), std::nullopt, limit,
                                    onTick);
    } catch (const ProcessRunnerError &error) {
        failure = error;
    }
    const qint64 seconds = clock.elapsed() / 1000;
    if (!self)
        co_return false;
    ++m_attemptToken;

    if (failure && failure->kind() == ProcessRunnerError::Kind::timedOut) {
        appendSetupLog(QStringLiteral("wineboot hung for %1 s; stopping all Wine processes.").arg(wholeSeconds(limit)));
        co_await supervisor.shutDown();
        if (!self || !supervisor.prefixIsUsable())
            co_return false;
        appendSetupLog(QStringLiteral("The prefix is usable after the hang; continuing."));
        co_return true;
    }
    // Whatever wineboot's status, the prefix it left is what counts.
    appendSetupLog(failure ? QStringLiteral("wineboot exited with status %1; continuing.").arg(failure->status())
                           : QStringLiteral("wineboot finished after %1 s.").arg(seconds));
    co_await supervisor.awaitServerExit();
    co_return true;
}

std::function<void(double)> WinePrefix::sampler(const WineSupervisor &supervisor, int attempt, double timeout)
{
    // Made outside the coroutine: GCC 12 destroys the captures of a lambda
    // made inside one twice.
    return [self = QPointer<WinePrefix>(this), supervisor, attempt, timeout](double elapsed) {
        if (self)
            self->sampleActivity(supervisor, attempt, elapsed, timeout);
    };
}

void WinePrefix::sampleActivity(const WineSupervisor &supervisor, int attempt, double elapsed, double timeout)
{
    // A listing slower than a tick would otherwise pile samples up.
    if (m_sampling)
        return;
    m_sampling = true;
    // Detached: it reports through the guarded pointer, and only while the
    // attempt that asked for it still runs.
    [](QPointer<WinePrefix> self, WineSupervisor supervisor, quint64 token, int attempt, double elapsed,
       double timeout) -> QCoro::Task<> {
        const WineSnapshot snapshot = co_await supervisor.snapshot();
        if (!self)
            co_return;
        self->m_sampling = false;
        if (self->m_attemptToken == token)
            self->reportWineProgress(attempt, elapsed, timeout, snapshot);
    }(this, supervisor, m_attemptToken, attempt, elapsed, timeout);
}

void WinePrefix::reportWineProgress(int attempt, double elapsed, double timeout, WineSnapshot snapshot)
{
    const ProgressDetail detail = describeProgress(
        attempt, elapsed, timeout, WineSupervisor::health(snapshot, elapsed, QDateTime::currentDateTimeUtc()));
    m_operation.setProgressStalled(detail.stalled);
    m_operation.setProgressDetail(detail.text);
}

WinePrefix::ProgressDetail WinePrefix::describeProgress(int attempt, double elapsed, double timeout,
                                                        const WineHealth &health)
{
    const QString head = QStringLiteral("Attempt %1 of %2 · %3").arg(attempt).arg(maxAttempts).arg(clock(elapsed));
    switch (health.state) {
    case WineHealth::State::stalled:
        return {head
                    + QStringLiteral(" · no activity for %1 s, restarting in %2 s")
                          .arg(health.idleSeconds)
                          .arg(wholeSeconds(timeout - elapsed)),
                true};
    case WineHealth::State::waiting:
        return {head + QStringLiteral(" · waiting (%1 s idle)").arg(health.idleSeconds)};
    case WineHealth::State::working:
        break;
    }
    return {head + QStringLiteral(" · working")};
}

void WinePrefix::endSupervision()
{
    ++m_attemptToken;
    m_operation.setProgressIsIndeterminate(false);
    m_operation.setProgressDetail(std::nullopt);
    m_operation.setProgressStalled(false);
}

QString WinePrefix::clock(double seconds)
{
    const qint64 whole = wholeSeconds(seconds);
    return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

void WinePrefix::appendSetupLog(QString message)
{
    // The log is a record for people, never a reason to fail.
    QDir().mkpath(Locations::logsFolder());
    const QString time = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    QFile log(Locations::setupLogFile());
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write((time + u' ' + message + u'\n').toUtf8());
}

void WinePrefix::reach(double fraction)
{
    m_operation.advance(0.0, 1.0, fraction);
}
