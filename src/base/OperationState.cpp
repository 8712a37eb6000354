#include "base/OperationState.h"

#include "base/InstallationLock.h"
#include "base/UserFacingError.h"

#include <algorithm>

OperationState::OperationState(QObject *parent)
    : QObject(parent)
{}

OperationState::~OperationState() = default;

// Busy last, so that whoever watches it reads the new operation's values.
bool OperationState::begin(InstallerPhase phase, double startProgress, const QString &activity)
{
    if (!m_isBusy && !claimInstallation())
        return false;
    setInstallerPhase(phase);
    setProgress(startProgress);
    setActivity(activity);
    becomeBusy();
    return true;
}

bool OperationState::begin(const QString &activity)
{
    if (!m_isBusy && !claimInstallation())
        return false;
    setActivity(activity);
    becomeBusy();
    return true;
}

void OperationState::becomeBusy()
{
    if (m_isBusy)
        return;
    m_isBusy = true;
    Q_EMIT isBusyChanged();
}

void OperationState::becomeIdle()
{
    if (!m_isBusy)
        return;
    m_isBusy = false;
    releaseInstallation();
    Q_EMIT isBusyChanged();
}

bool OperationState::claimInstallation()
{
    if (!m_lock || m_lock->claim())
        return true;
    setErrorMessage(
        QStringLiteral("Another Tarnhold is working on this installation. Try again when it has finished."));
    return false;
}

void OperationState::releaseInstallation()
{
    if (m_lock)
        m_lock->release();
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
    becomeIdle();
}

void OperationState::fail(const QString &prefix, const UserFacingError &error)
{
    setErrorMessage(prefix + error.description());
    becomeIdle();
}

void OperationState::end()
{
    becomeIdle();
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
