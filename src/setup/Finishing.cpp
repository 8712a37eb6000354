// Finishing the installation: the Wine prefix, the game copied into it, the
// online client and the community content, as one busy operation.
#include "base/FileChanges.h"
#include "base/InstallationRecord.h"
#include "base/InstalledLocations.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "base/UserFacingError.h"
#include "client/OnlineClientInstaller.h"
#include "content/CommunityContent.h"
#include "platform/Platform.h"
#include "platform/SystemWording.h"
#include "process/ProcessRunner.h"
#include "process/ProcessRunnerError.h"
#include "process/WineEnvironment.h"
#include "process/WineSupervisorError.h"
#include "setup/SetupFlow.h"
#include "setup/SteamGameFolder.h"
#include "setup/WinePrefix.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>

namespace {

// What the user reads when a step of the finishing fails.
QString finishingFailure(const std::exception_ptr &failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const WineSupervisorError &error) {
        return error.description();
    } catch (const ProcessRunnerError &error) {
        if (error.kind() == ProcessRunnerError::Kind::timedOut)
            return QStringLiteral("A compatibility step did not finish in time. Tarnhold stopped the leftover Wine "
                                  "processes; retry the installation. No Steam game files were deleted.");
        return QStringLiteral("Installation failed: ") + error.description();
    } catch (const UserFacingError &error) {
        return QStringLiteral("Installation failed: ") + error.description();
    }
}

} // namespace

QCoro::Task<> SetupFlow::finishInstallation()
{
    const std::optional<QString> runtime = runtimeURL(m_services.record.state());
    if (!runtime) {
        m_operation.setErrorMessage(systemWording(QStringLiteral("The Mac runtime is missing.")));
        co_return;
    }
    const std::optional<QString> source = SteamGameFolder::locateGameRoot(SteamGameFolder::location());
    if (!source) {
        m_operation.setErrorMessage(QStringLiteral("Could not locate Generals.exe in the Steam download."));
        co_return;
    }
    const QPointer<SetupFlow> self(this);
    if (!m_operation.begin(InstallerPhase::environment, 0.03,
                           systemWording(QStringLiteral("Preparing the Mac compatibility environment…"))))
        co_return;
    std::exception_ptr failure;
    try {
        co_await finishSteps(*runtime, *source);
    } catch (const UserFacingError &) {
        failure = std::current_exception();
    }
    if (!self)
        co_return;
    if (failure) {
        m_operation.setErrorMessage(finishingFailure(failure));
        m_operation.end();
        co_return;
    }
    m_operation.setInstallerPhase(InstallerPhase::complete);
    m_operation.finish(QStringLiteral("Velmora is ready"));
    setSetupStep(SetupStep::complete);
}

QCoro::Task<> SetupFlow::finishSteps(QString runtime, QString source)
{
    const QPointer<SetupFlow> self(this);
    const QString prefix = Locations::managedPrefixFolder();
    const QString game = Locations::gameFolder(prefix);
    makeFolder(prefix);
    // Wine links the prefix's Documents to ~/Documents only when that exists
    // as the prefix is made, and to the home folder otherwise; the game keeps
    // its data in Documents, where Tarnhold looks for it.
    makeFolder(QFileInfo(Locations::gameDataFolder()).absolutePath());
    co_await m_prefix->prepareWinePrefix(
        WineSupervisor(runtime, prefix, wineEnvironment(runtime, prefix), m_services.platform.listProcessesCommand(),
                       m_services.timing.wine),
        QDir(runtime).filePath(QStringLiteral("bin/wine")),
        QDir(runtime).filePath(QStringLiteral("lib/wine/x86_64-windows/wineboot.exe")));
    if (!self)
        co_return;

    makeFolder(QDir(prefix).filePath(QStringLiteral("drive_c")));
    m_operation.setInstallerPhase(InstallerPhase::gameFiles);
    m_operation.advance(0.0, 1.0, 0.2);
    m_operation.setActivity(QStringLiteral("Copying the Steam game files…"));
    const ToolCommand copy = m_services.platform.copyTreeCommand(source, game);
    co_await ProcessRunner::run(copy.program, copy.arguments);
    if (!self)
        co_return;

    m_operation.setInstallerPhase(InstallerPhase::onlineClient);
    m_operation.advance(0.0, 1.0, 0.46);
    co_await m_client.installLatestPatch(runtime, prefix, game, 0.46, 0.78);
    if (!self)
        co_return;
    m_operation.setInstallerPhase(InstallerPhase::community);
    co_await m_community.installCommunityContent(game, 0.78, 0.99);
}
