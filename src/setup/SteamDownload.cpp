#include "setup/SteamDownload.h"

#include "base/FileChanges.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "base/UserFacingError.h"
#include "process/SecretInputPipe.h"
#include "setup/SteamAccount.h"
#include "setup/SteamCmdCommand.h"
#include "setup/SteamCmdProcess.h"
#include "setup/SteamGameFolder.h"
#include "setup/SteamRunEnd.h"
#include "setup/SteamTerminalWatch.h"

using Kind = SteamSessionPhase::Kind;

SteamDownload::SteamDownload(Services services, OperationState &operation, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_operation(operation)
{}

SteamDownload::~SteamDownload() = default;

void SteamDownload::setSteamAccount(const QString &account)
{
    if (m_account == account)
        return;
    m_account = account;
    Q_EMIT steamAccountChanged();
}

bool SteamDownload::steamGameIsComplete() const
{
    return SteamGameFolder::isComplete(SteamGameFolder::location());
}

void SteamDownload::reset()
{
    // A download left going would move the setup on from whatever step it
    // is at when it ends.
    cancelSteamDownload(false);
    setPhase(Kind::idle);
    setProgress(0.0);
    setConsole(SteamConsole());
}

std::optional<QString> SteamDownload::usableAccount(const QString &emptyNameRefusal)
{
    const SteamAccountCheck account = checkSteamAccount(m_account, emptyNameRefusal);
    if (!account.isUsable()) {
        m_operation.setErrorMessage(account.refusal);
        return std::nullopt;
    }
    if (!fileExists(SteamCmdCommand::script())) {
        m_operation.setErrorMessage(QStringLiteral("SteamCMD is missing. Return to the previous step."));
        return std::nullopt;
    }
    return account.name;
}

void SteamDownload::startEmbeddedSteamDownload()
{
    const std::optional<QString> account = usableAccount(
        QStringLiteral("Enter your Steam account name. This is the login name, not the public profile name."));
    if (!account)
        return;
    const QString downloadFolder = SteamGameFolder::location();
    try {
        makeFolder(downloadFolder);
    } catch (const UserFacingError &error) {
        m_operation.setErrorMessage(QStringLiteral("Could not prepare the Steam download folder: ")
                                    + error.description());
        return;
    }
    cancelSteamDownload(false);
    // The run works on the installation as an operation does.
    if (!m_operation.claimInstallation())
        return;
    setPhase(Kind::connecting);
    setProgress(0.0);
    setConsole(SteamConsole(QStringLiteral("Starting Valve SteamCMD…")));

    m_process = std::make_unique<SteamCmdProcess>();
    const SteamCmdProcess *child = m_process.get();
    connect(child, &SteamCmdProcess::output, this, &SteamDownload::consumeSteamOutput);
    connect(child, &SteamCmdProcess::finished, this, [this, child](int status) { finishSteamProcess(child, status); });
    connect(child, &SteamCmdProcess::failedToStart, this,
            [this, child](const QString &description) { launchFailed(child, description); });
    m_process->start(SteamCmdCommand::script(), SteamCmdCommand::arguments(downloadFolder, *account),
                     SteamCmdCommand::environment(QProcessEnvironment::systemEnvironment()), SteamCmdCommand::folder());
}

void SteamDownload::submitSteamCredential(QString value)
{
    const bool waitsForCredential = m_phase.kind() == Kind::password || m_phase.kind() == Kind::guardCode;
    if (value.isEmpty() || !waitsForCredential || !m_process) {
        wipeSecret(value);
        return;
    }
    if (const std::optional<QString> failure = m_process->writeLine(std::move(value))) {
        setPhase(SteamSessionPhase::failed(
            QStringLiteral("The credential could not be passed to SteamCMD. No credential was saved.")));
        m_operation.setErrorMessage(QStringLiteral("Steam authentication input failed: ") + *failure);
        return;
    }
    m_console.clearParseBuffer();
    setPhase(Kind::connecting);
}

void SteamDownload::cancelSteamDownload(bool markAsCancelled)
{
    m_terminalWatch.reset();
    setTerminalActive(false);
    endRun();
    if (markAsCancelled)
        setPhase(SteamSessionPhase::failed(QStringLiteral(
            "The Steam download was cancelled. Existing downloaded files were kept for the next attempt.")));
}

void SteamDownload::consumeSteamOutput(const QString &text)
{
    const SteamOutputEffect effect = m_console.consume(text);
    Q_EMIT steamTranscriptChanged();
    if (effect.progress)
        setProgress(*effect.progress);
    if (effect.phase)
        setPhase(*effect.phase);
    publishApproval();
}

void SteamDownload::finishSteamProcess(const SteamCmdProcess *child, int status)
{
    if (child != m_process.get())
        return;
    endRun();
    const SteamRunEnd end{status, steamGameIsComplete(), m_console.reportedFailure()};
    const SteamSessionPhase after = phaseAfterEmbeddedRun(m_phase, end);
    if (after.kind() == Kind::complete)
        acceptCompleteDownload();
    else
        setPhase(after);
}

void SteamDownload::acceptCompleteDownload()
{
    setProgress(1.0);
    setPhase(Kind::complete);
    Q_EMIT gameFilesReady();
}

void SteamDownload::launchFailed(const SteamCmdProcess *child, const QString &description)
{
    if (child != m_process.get())
        return;
    endRun();
    const QString sentence = QStringLiteral("SteamCMD could not start: ") + description;
    setPhase(SteamSessionPhase::failed(sentence));
    m_operation.setErrorMessage(sentence);
}

// The child is told to end and no longer heard from; a child that already
// ended is only let go.
void SteamDownload::endRun()
{
    if (!m_process)
        return;
    m_process.reset();
    m_operation.releaseInstallation();
}

void SteamDownload::setPhase(const SteamSessionPhase &phase)
{
    if (m_phase != phase) {
        m_phase = phase;
        Q_EMIT steamSessionPhaseChanged();
    }
    publishApproval();
}

void SteamDownload::setProgress(double progress)
{
    if (m_progress == progress)
        return;
    m_progress = progress;
    Q_EMIT steamDownloadProgressChanged();
}

void SteamDownload::setConsole(SteamConsole console)
{
    m_console = std::move(console);
    Q_EMIT steamTranscriptChanged();
    publishApproval();
}

void SteamDownload::setTerminalActive(bool active)
{
    if (m_terminalActive == active)
        return;
    m_terminalActive = active;
    Q_EMIT steamTerminalActiveChanged();
}

void SteamDownload::publishApproval()
{
    const bool awaitsApproval = m_phase.kind() == Kind::guardCode && m_console.awaitsApproval();
    if (m_awaitsApproval == awaitsApproval)
        return;
    m_awaitsApproval = awaitsApproval;
    Q_EMIT steamAwaitsApprovalChanged();
}
