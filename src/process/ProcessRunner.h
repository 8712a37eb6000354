#pragma once

#include "process/EnvironmentVariables.h"

#include <QCoroTask>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Runs short-lived helper programs: the child's standard output and error
// are merged and returned as UTF-8 text once it exits. Its standard input is
// the null device.
namespace ProcessRunner {

// Runs executable (an absolute path) with arguments, no shell. environment,
// when given, is the child's whole environment; absent, the child inherits
// Tarnhold's. timeout is in seconds: when it passes the child is sent SIGTERM
// and the run fails with ProcessRunnerError::timedOut at once, whether or not
// the child obeys. onTick is called about once a second with the seconds
// since the start, never after the run finished. A non-zero exit throws
// ProcessRunnerError::failed; a child that cannot start throws
// ProcessStartError without any tick.
QCoro::Task<QString> run(QString executable, QStringList arguments,
                         std::optional<EnvironmentVariables> environment = std::nullopt,
                         std::optional<QString> currentDirectory = std::nullopt,
                         std::optional<double> timeout = std::nullopt, std::function<void(double)> onTick = {});

} // namespace ProcessRunner
