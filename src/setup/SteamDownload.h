#pragma once

#include "content/Services.h"
#include "setup/SteamConsole.h"
#include "setup/SteamSessionPhase.h"

#include <QObject>
#include <QString>

#include <memory>

class OperationState;
class SteamCmdProcess;
class SteamTerminalWatch;

// The game's download through Valve's SteamCMD run inside Tarnhold: the
// account it signs in with, the session's phase, progress and transcript,
// and the credentials the user types, which reach only SteamCMD's standard
// input. It never makes Tarnhold busy; the Steam card shows the run.
class SteamDownload final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SteamDownload)

    Q_PROPERTY(QString steamAccount READ steamAccount WRITE setSteamAccount NOTIFY steamAccountChanged)
    Q_PROPERTY(SteamSessionPhase steamSessionPhase READ steamSessionPhase NOTIFY steamSessionPhaseChanged)
    Q_PROPERTY(double steamDownloadProgress READ steamDownloadProgress NOTIFY steamDownloadProgressChanged)
    Q_PROPERTY(QString steamTranscript READ steamTranscript NOTIFY steamTranscriptChanged)
    Q_PROPERTY(bool steamTerminalActive READ steamTerminalActive NOTIFY steamTerminalActiveChanged)
    Q_PROPERTY(bool steamAwaitsApproval READ steamAwaitsApproval NOTIFY steamAwaitsApprovalChanged)
    Q_PROPERTY(bool steamGameIsComplete READ steamGameIsComplete)

public:
    SteamDownload(Services services, OperationState &operation, QObject *parent = nullptr);
    // Safe with a run in flight: its child is asked to end and reaped later.
    ~SteamDownload() override;

    // The account name as typed; the run uses it trimmed.
    QString steamAccount() const { return m_account; }
    void setSteamAccount(const QString &account);
    SteamSessionPhase steamSessionPhase() const { return m_phase; }
    double steamDownloadProgress() const { return m_progress; }
    QString steamTranscript() const { return m_console.transcript(); }
    bool steamTerminalActive() const { return m_terminalActive; }
    // In the guardCode phase: SteamCMD waits for the sign-in to be
    // approved on the phone rather than for a code.
    bool steamAwaitsApproval() const { return m_awaitsApproval; }
    // The download folder holds the game.
    bool steamGameIsComplete() const;

    // Ends any run and starts over: no run yet, no progress, no transcript.
    void reset();
    // Checks the account name and the SteamCMD installation, then starts
    // SteamCMD in place of any earlier run and returns once it is launched.
    void startEmbeddedSteamDownload();
    // Passes a password or Guard code to SteamCMD while it asks for one;
    // callers move the value in, and every copy of it here is cleared.
    void submitSteamCredential(QString value);
    // Stops the run and the Terminal watch. Downloaded files are kept.
    void cancelSteamDownload(bool markAsCancelled);
    // Runs the same download in a terminal window, where the user signs in
    // without Tarnhold seeing anything typed, and follows it from outside.
    void openSteamDownloadInTerminal();
    // Accepts a download completed by any means.
    void detectSteamDownload();

Q_SIGNALS:
    void steamAccountChanged();
    void steamSessionPhaseChanged();
    void steamDownloadProgressChanged();
    void steamTranscriptChanged();
    void steamTerminalActiveChanged();
    void steamAwaitsApprovalChanged();
    // The game's files are complete: the setup goes on to the online client.
    void gameFilesReady();

private:
    // The trimmed account name when it and SteamCMD are there to start with;
    // otherwise the reason is shown and there is none.
    std::optional<QString> usableAccount(const QString &emptyNameRefusal);
    void consumeSteamOutput(const QString &text);
    void finishSteamProcess(const SteamCmdProcess *child, int status);
    void launchFailed(const SteamCmdProcess *child, const QString &description);
    void endRun();
    void watchSteamTerminal(const QString &script, const QString &result);
    void finishSteamTerminal(qint32 status);
    void acceptCompleteDownload();

    void setPhase(const SteamSessionPhase &phase);
    void setProgress(double progress);
    void setConsole(SteamConsole console);
    void setTerminalActive(bool active);
    void publishApproval();

    Services m_services;
    OperationState &m_operation;
    QString m_account;
    SteamSessionPhase m_phase;
    double m_progress = 0.0;
    SteamConsole m_console;
    bool m_terminalActive = false;
    bool m_awaitsApproval = false;
    std::unique_ptr<SteamCmdProcess> m_process;
    std::unique_ptr<SteamTerminalWatch> m_terminalWatch;
};
