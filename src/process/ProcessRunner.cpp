#include "process/ProcessRunner.h"

#include "process/ProcessRun.h"

#include <QCoroSignal>

namespace ProcessRunner {

QCoro::Task<QString> run(QString executable, QStringList arguments, std::optional<EnvironmentVariables> environment,
                         std::optional<QString> currentDirectory, std::optional<double> timeout,
                         std::function<void(double)> onTick)
{
    ProcessRun run(std::move(onTick));
    run.start(executable, arguments, environment, currentDirectory, timeout);
    if (!run.hasCompleted())
        co_await qCoro(&run, &ProcessRun::completed);
    co_return run.result();
}

} // namespace ProcessRunner
