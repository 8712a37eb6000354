#include "process/ProcessRunnerError.h"

#include <cmath>

ProcessRunnerError::ProcessRunnerError(Kind kind, const QString &description)
    : UserFacingError(description)
    , m_kind(kind)
{}

ProcessRunnerError ProcessRunnerError::failed(int status, const QString &output)
{
    ProcessRunnerError error(Kind::failed,
                             output.isEmpty() ? QStringLiteral("The helper exited with code %1.").arg(status) : output);
    error.m_status = status;
    error.m_output = output;
    return error;
}

ProcessRunnerError ProcessRunnerError::timedOut(double limit)
{
    // Whole seconds, truncated toward zero: a limit of 2.5 reads "2 seconds".
    const auto seconds = std::isfinite(limit) ? static_cast<qint64>(std::trunc(limit)) : qint64{0};
    ProcessRunnerError error(Kind::timedOut,
                             QStringLiteral("The helper did not finish within %1 seconds.").arg(seconds));
    error.m_limit = limit;
    return error;
}
