#pragma once

#include "base/InstallerPhase.h"

#include <QObject>
#include <QString>

#include <optional>

class InstallationLock;
class UserFacingError;

// The published state of whatever operation runs, and the one way every
// operation reports through it: guards only set errorMessage; begin() makes
// Tarnhold busy with a phase, a starting fraction and an activity ending in
// "…"; advance() raises progress within a sub-range and never lowers it;
// finish() or fail() end the operation. The busy overlay and the alerts read
// nothing else. While busy, the operation holds the installation's lock.
class OperationState final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OperationState)

    Q_PROPERTY(bool isBusy READ isBusy NOTIFY isBusyChanged)
    Q_PROPERTY(bool isGameRunning READ isGameRunning NOTIFY isGameRunningChanged)
    Q_PROPERTY(InstallerPhase installerPhase READ installerPhase NOTIFY installerPhaseChanged)
    Q_PROPERTY(double progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(QString activity READ activity NOTIFY activityChanged)
    Q_PROPERTY(std::optional<QString> progressDetail READ progressDetail NOTIFY progressDetailChanged)
    Q_PROPERTY(bool progressStalled READ progressStalled NOTIFY progressStalledChanged)
    Q_PROPERTY(bool progressIsIndeterminate READ progressIsIndeterminate NOTIFY progressIsIndeterminateChanged)
    Q_PROPERTY(std::optional<QString> errorMessage READ errorMessage WRITE setErrorMessage NOTIFY errorMessageChanged)
    Q_PROPERTY(
        std::optional<QString> noticeMessage READ noticeMessage WRITE setNoticeMessage NOTIFY noticeMessageChanged)

public:
    explicit OperationState(QObject *parent = nullptr);
    ~OperationState() override;

    bool isBusy() const { return m_isBusy; }
    // The game Tarnhold started runs: operations that change its files wait.
    bool isGameRunning() const { return m_isGameRunning; }
    InstallerPhase installerPhase() const { return m_installerPhase; }
    double progress() const { return m_progress; }
    QString activity() const { return m_activity; }
    std::optional<QString> progressDetail() const { return m_progressDetail; }
    bool progressStalled() const { return m_progressStalled; }
    bool progressIsIndeterminate() const { return m_progressIsIndeterminate; }
    std::optional<QString> errorMessage() const { return m_errorMessage; }
    std::optional<QString> noticeMessage() const { return m_noticeMessage; }

    // False, with errorMessage set, when another Tarnhold process works on
    // the installation: the operation must not start.
    [[nodiscard]] bool begin(InstallerPhase phase, double startProgress, const QString &activity);
    // Busy with an activity but no phase or progress of its own, as a check is.
    [[nodiscard]] bool begin(const QString &activity);
    // Maps fraction (0 to 1) of a step onto lower..upper; never lowers progress.
    void advance(double lower, double upper, double fraction);
    void setActivity(const QString &activity);
    // A step of a longer operation moving it into its own phase.
    void setInstallerPhase(InstallerPhase phase);
    void finish(const QString &activity, const std::optional<QString> &notice = std::nullopt);
    // The operation's fixed prefix followed by the error's description.
    void fail(const QString &prefix, const UserFacingError &error);
    // Ends a busy spell that has no result to report.
    void end();

    // Only the steps that cannot measure their progress, or that are
    // supervised, set these; they reset them on every path.
    void setProgressIsIndeterminate(bool indeterminate);
    void setProgressDetail(const std::optional<QString> &detail);
    void setProgressStalled(bool stalled);

    // Only the game launcher sets this, from the start to the end of a game.
    void setGameRunning(bool running) { assign(m_isGameRunning, running, &OperationState::isGameRunningChanged); }

    // Without a lock, as in tests of single controllers, every claim succeeds.
    void setInstallationLock(InstallationLock *lock) { m_lock = lock; }
    // Claims the installation for work that does not make Tarnhold busy, or
    // for a whole command; claims nest. False, with errorMessage set, while
    // another Tarnhold process works on it.
    [[nodiscard]] bool claimInstallation();
    void releaseInstallation();

    // A guard's reason, or the user dismissing a shown message.
    void setErrorMessage(const std::optional<QString> &message);
    void setNoticeMessage(const std::optional<QString> &message);

Q_SIGNALS:
    void isBusyChanged();
    void isGameRunningChanged();
    void installerPhaseChanged();
    void progressChanged();
    void activityChanged();
    void progressDetailChanged();
    void progressStalledChanged();
    void progressIsIndeterminateChanged();
    void errorMessageChanged();
    void noticeMessageChanged();

private:
    template <typename T>
    void assign(T &member, const T &value, void (OperationState::*changed)())
    {
        if (member == value)
            return;
        member = value;
        Q_EMIT(this->*changed)();
    }

    void becomeBusy();
    void becomeIdle();
    void setProgress(double progress) { assign(m_progress, progress, &OperationState::progressChanged); }

    InstallationLock *m_lock = nullptr;
    bool m_isBusy = false;
    bool m_isGameRunning = false;
    InstallerPhase m_installerPhase = InstallerPhase::preparing;
    double m_progress = 0.0;
    QString m_activity = QStringLiteral("Checking installation…");
    std::optional<QString> m_progressDetail;
    bool m_progressStalled = false;
    bool m_progressIsIndeterminate = false;
    std::optional<QString> m_errorMessage;
    std::optional<QString> m_noticeMessage;
};
