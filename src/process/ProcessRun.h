#pragma once

#include "process/EnvironmentVariables.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <exception>
#include <functional>
#include <optional>

// The state of one ProcessRunner::run on the GUI thread: the child, its
// collected output, the tick and time-limit timers, and the one outcome.
// Whichever of exit, time-out and failed start comes first decides the
// outcome; the others are ignored.
//
// Written by hand rather than with qCoro(process).waitForFinished(): QCoro
// 0.8 cannot wait for the exit while ticking, and its time-out is a coarse
// timer that may end a run before its limit.
class ProcessRun final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProcessRun)

public:
    explicit ProcessRun(std::function<void(double)> onTick);
    // A child that is still running (it ignored the time-out's SIGTERM) is
    // left to end on its own and reaped then: QProcess's destructor would
    // kill it and block the GUI thread until it is gone.
    ~ProcessRun() override;

    void start(const QString &executable, const QStringList &arguments,
               const std::optional<EnvironmentVariables> &environment, const std::optional<QString> &currentDirectory,
               std::optional<double> timeout);

    bool hasCompleted() const { return m_outcome.has_value(); }
    // The output text, or throws the run's error.
    QString result() const;

Q_SIGNALS:
    void completed();

private:
    struct Outcome
    {
        QString output;
        std::exception_ptr error;
    };

    void collectOutput();
    void childFinished();
    void limitPassed(double limit);
    void complete(Outcome outcome);

    // Guarded: the process deletes itself once its child has ended.
    QPointer<QProcess> m_process;
    QByteArray m_output;
    std::function<void(double)> m_onTick;
    QElapsedTimer m_clock;
    QTimer m_ticker;
    QTimer m_limit;
    std::optional<Outcome> m_outcome;
};
