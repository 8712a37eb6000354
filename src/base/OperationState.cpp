#include "base/OperationState.h"

#include "base/UserFacingError.h"

#include <algorithm>

OperationState::OperationState(QObject *parent)
    : QObject(parent)
{}

OperationState::~OperationState() = default;

// Busy last, so that whoever watches it reads the new operation's values.
void OperationState::begin(InstallerPhase phase, double startProgress, const QString &activity)
{
    setInstallerPhase(phase);
    setProgress(startProgress);
    setActivity(activity);
    setIsBusy(true);
}

void OperationState::begin(const QString &activity)
{
    setActivity(activity);
    setIsBusy(true);
}

void OperationState::advance(double lower, double upper, double fraction)
{
    setProgress(std::max(m_progress, lower + (upper - lower) * fraction));
}

void OperationState::setActivity(const QString &activity)
{
    assign(m_activity, activity, &OperationState::activityChanged);
}

void OperationState::setInstallerPhase(InstallerPhase phase)
{
    assign(m_installerPhase, phase, &OperationState::installerPhaseChanged);
}

void OperationState::finish(const QString &activity, const std::optional<QString> &notice)
{
    setProgress(1.0);
    setActivity(activity);
    if (notice)
        setNoticeMessage(notice);
    setIsBusy(false);
}

void OperationState::fail(const QString &prefix, const UserFacingError &error)
{
    setErrorMessage(prefix + error.description());
    setIsBusy(false);
}

void OperationState::end()
{
    setIsBusy(false);
}

void OperationState::setProgressIsIndeterminate(bool indeterminate)
{
    assign(m_progressIsIndeterminate, indeterminate, &OperationState::progressIsIndeterminateChanged);
}

void OperationState::setProgressDetail(const std::optional<QString> &detail)
{
    assign(m_progressDetail, detail, &OperationState::progressDetailChanged);
}

void OperationState::setProgressStalled(bool stalled)
{
    assign(m_progressStalled, stalled, &OperationState::progressStalledChanged);
}

void OperationState::setErrorMessage(const std::optional<QString> &message)
{
    assign(m_errorMessage, message, &OperationState::errorMessageChanged);
}

void OperationState::setNoticeMessage(const std::optional<QString> &message)
{
    assign(m_noticeMessage, message, &OperationState::noticeMessageChanged);
}
