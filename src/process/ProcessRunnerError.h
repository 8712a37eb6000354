#pragma once

#include "base/UserFacingError.h"

#include <QString>

// How a helper run through ProcessRunner failed after it started: it exited
// with a non-zero status, or it outlived its time limit.
class ProcessRunnerError final : public UserFacingError
{
public:
    enum class Kind { failed, timedOut };

    static ProcessRunnerError failed(int status, const QString &output);
    static ProcessRunnerError timedOut(double limit);

    Kind kind() const { return m_kind; }
    // For failed: the exit status and the whole merged output.
    int status() const { return m_status; }
    QString output() const { return m_output; }
    // For timedOut: the limit in seconds.
    double limit() const { return m_limit; }

private:
    ProcessRunnerError(Kind kind, const QString &description);

    Kind m_kind;
    int m_status = 0;
    QString m_output;
    double m_limit = 0.0;
};

// A helper that could not be started at all (missing, not executable, …);
// the description is the system's reason.
class ProcessStartError final : public UserFacingError
{
public:
    using UserFacingError::UserFacingError;
};
