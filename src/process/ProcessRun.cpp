#include "process/ProcessRun.h"

#include "process/ProcessRunnerError.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace {

using namespace std::chrono_literals;

// QTimer counts in int milliseconds; longer limits are cut to what it holds.
std::chrono::milliseconds timerInterval(double seconds)
{
    constexpr double longest = std::numeric_limits<int>::max();
    const double milliseconds = std::isnan(seconds) ? 0.0 : std::clamp(seconds * 1000.0, 0.0, longest);
    return std::chrono::milliseconds(static_cast<qint64>(milliseconds));
}

} // namespace

ProcessRun::ProcessRun(std::function<void(double)> onTick)
    : m_onTick(std::move(onTick))
{
    // Coarse timers may fire up to 5 % early: a tick would report less than
    // its second, and the limit would end a run before it had passed.
    m_ticker.setTimerType(Qt::PreciseTimer);
    m_ticker.setInterval(1s);
    m_limit.setTimerType(Qt::PreciseTimer);
    m_limit.setSingleShot(true);
    connect(&m_ticker, &QTimer::timeout, this, [this] { m_onTick(m_clock.elapsed() / 1000.0); });
}

ProcessRun::~ProcessRun()
{
    if (!m_process)
        return;
    if (m_process->state() == QProcess::NotRunning) {
        m_process->deleteLater();
        return;
    }
    // Keep discarding what the child still writes, so Qt's read buffer does
    // not grow for as long as it lives.
    QProcess *process = m_process;
    connect(process, &QProcess::readyReadStandardOutput, process, [process] { process->readAll(); });
    process->readAll();
}

void ProcessRun::start(const QString &executable, const QStringList &arguments,
                       const std::optional<EnvironmentVariables> &environment,
                       const std::optional<QString> &currentDirectory, std::optional<double> timeout)
{
    // Parented to nothing: it may outlive this run, and deletes itself once
    // its child has ended.
    m_process = new QProcess;
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    // Nothing is ever written to a helper: one that reads its input must
    // find its end at once rather than wait on an open pipe.
    m_process->setStandardInputFile(QProcess::nullDevice());
    if (environment)
        m_process->setProcessEnvironment(Environment::processEnvironment(*environment));
    if (currentDirectory)
        m_process->setWorkingDirectory(*currentDirectory);
    connect(m_process, &QProcess::finished, m_process, &QObject::deleteLater);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &ProcessRun::collectOutput);
    connect(m_process, &QProcess::finished, this, &ProcessRun::childFinished);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        complete({{}, std::make_exception_ptr(ProcessStartError(m_process->errorString()))});
    });

    m_clock.start();
    m_process->start(executable, arguments);
    if (hasCompleted())
        return;
    if (m_onTick)
        m_ticker.start();
    if (timeout) {
        connect(&m_limit, &QTimer::timeout, this, [this, limit = *timeout] { limitPassed(limit); });
        m_limit.start(timerInterval(*timeout));
    }
}

QString ProcessRun::result() const
{
    Q_ASSERT(m_outcome);
    if (m_outcome->error)
        std::rethrow_exception(m_outcome->error);
    return m_outcome->output;
}

void ProcessRun::collectOutput()
{
    m_output += m_process->readAll();
}

void ProcessRun::childFinished()
{
    collectOutput();
    // Decoded once, so a character split across two reads stays whole.
    const QString output = QString::fromUtf8(m_output);
    const int status = m_process->exitCode();
    if (m_process->exitStatus() != QProcess::NormalExit || status != 0)
        complete({{}, std::make_exception_ptr(ProcessRunnerError::failed(status, output))});
    else
        complete({output, {}});
}

void ProcessRun::limitPassed(double limit)
{
    if (hasCompleted())
        return;
    if (m_process->state() != QProcess::NotRunning)
        m_process->terminate();
    complete({{}, std::make_exception_ptr(ProcessRunnerError::timedOut(limit))});
}

void ProcessRun::complete(Outcome outcome)
{
    if (hasCompleted())
        return;
    m_ticker.stop();
    m_limit.stop();
    m_outcome = std::move(outcome);
    Q_EMIT completed();
}
