// The Terminal fallback of SteamDownload: the same SteamCMD download runs in
// a terminal window and is followed from outside.
#include "base/FileChanges.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "base/UserFacingError.h"
#include "platform/Platform.h"
#include "setup/SteamCmdCommand.h"
#include "setup/SteamDownload.h"
#include "setup/SteamGameFolder.h"
#include "setup/SteamRunEnd.h"
#include "setup/SteamTerminalScript.h"
#include "setup/SteamTerminalWatch.h"

#include <QFile>

using Kind = SteamSessionPhase::Kind;

namespace {

// Only the user may read, change or run the script.
void makePrivateExecutable(const QString &path)
{
    if (!QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        throw UserFacingError(QStringLiteral("Tarnhold could not make “%1” executable.").arg(path));
}

} // namespace

void SteamDownload::openSteamDownloadInTerminal()
{
    const std::optional<QString> account =
        usableAccount(QStringLiteral("Enter your Steam account name before opening the Terminal fallback."));
    if (!account)
        return;
    cancelSteamDownload(false);
    const QString script = steamTerminalScriptFile();
    const QString result = steamTerminalResultFile();
    QFile::remove(result);
    const QString text = steamTerminalScript({SteamCmdCommand::script(), SteamGameFolder::location(), result, *account},
                                             m_services.platform.terminalShell());
    try {
        replaceFile(script, text.toUtf8());
        makePrivateExecutable(script);
    } catch (const UserFacingError &error) {
        m_operation.setErrorMessage(QStringLiteral("Could not open the Steam download: ") + error.description());
        return;
    }
    // A Linux desktop may have no terminal Tarnhold knows; a watch would then
    // wait for a window that never opens.
    if (!m_services.platform.openScriptInTerminal(script)) {
        QFile::remove(script);
        m_operation.setErrorMessage(QStringLiteral("Could not open the Steam download: no terminal window could be "
                                                   "opened. Set TERMINAL to your terminal application, then retry."));
        return;
    }
    m_operation.setActivity(QStringLiteral("Waiting for Steam download…"));
    watchSteamTerminal(script, result);
}

void SteamDownload::watchSteamTerminal(const QString &script, const QString &result)
{
    m_terminalWatch = std::make_unique<SteamTerminalWatch>(script, result, SteamGameFolder::location(),
                                                           m_services.timing.steamTerminalPoll);
    setTerminalActive(true);
    setPhase(Kind::connecting);
    setProgress(0.0);
    setConsole(SteamConsole(QStringLiteral("SteamCMD is running in the Terminal window. Sign in there; Tarnhold "
                                           "continues automatically when it finishes.")));
    // Progress never moves backwards while the window runs.
    connect(m_terminalWatch.get(), &SteamTerminalWatch::manifestRead, this, [this](double fraction) {
        if (fraction <= m_progress)
            return;
        setProgress(fraction);
        setPhase(fraction < 1.0 ? Kind::downloading : Kind::validating);
    });
    connect(m_terminalWatch.get(), &SteamTerminalWatch::finished, this, &SteamDownload::finishSteamTerminal);
    m_terminalWatch->start();
}

void SteamDownload::finishSteamTerminal(qint32 status)
{
    // The watch is the caller: it goes once its signal has returned.
    m_terminalWatch.release()->deleteLater();
    setTerminalActive(false);
    const SteamRunEnd end{status, steamGameIsComplete(), std::nullopt};
    const SteamSessionPhase after = phaseAfterTerminalRun(end);
    if (after.kind() == Kind::complete)
        acceptCompleteDownload();
    else
        setPhase(after);
}

void SteamDownload::detectSteamDownload()
{
    if (steamGameIsComplete())
        acceptCompleteDownload();
    else
        m_operation.setErrorMessage(
            QStringLiteral("The Zero Hour files are not complete yet. Finish SteamCMD, then try again."));
}
