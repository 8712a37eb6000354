// Repair: stop what Wine left running, check that the launcher and the game
// are in place, restore the multiplayer profile and install the anti-cheat
// again.
#include "base/DetachedOperation.h"
#include "base/InstallationRecord.h"
#include "base/InstalledLocations.h"
#include "base/Locations.h"
#include "base/MissingFileError.h"
#include "base/OperationState.h"
#include "client/AntiCheatInstallation.h"
#include "content/CommunityContent.h"
#include "platform/Platform.h"
#include "process/WineEnvironment.h"
#include "process/WineSupervisor.h"
#include "process/WineSupervisorError.h"
#include "setup/SetupFlow.h"

#include <QDir>
#include <QPointer>

void SetupFlow::repair()
{
    const InstalledState state = m_services.record.state();
    const std::optional<QString> runtime = runtimeURL(state);
    const std::optional<QString> prefix = prefixURL(state);
    // Nothing to repair yet: the setup builds it.
    if (!runtime || !prefix) {
        beginSetup();
        return;
    }
    if (m_operation.isGameRunning()) {
        m_operation.setErrorMessage(WineSupervisorError::gameAlreadyRunning().description());
        return;
    }
    startDetached(this, m_operation, &SetupFlow::runRepair, *runtime, *prefix);
}

QCoro::Task<> SetupFlow::runRepair(QString runtime, QString prefix)
{
    const QPointer<SetupFlow> self(this);
    const QString game = Locations::gameFolder(prefix);
    if (!m_operation.begin(InstallerPhase::preparing, 0.1, QStringLiteral("Stopping leftover Wine processes…")))
        co_return;
    const WineSupervisor wine(runtime, prefix, wineEnvironment(runtime, prefix),
                              m_services.platform.listProcessesCommand(), m_services.timing.wine);
    const bool gameRunning = co_await wine.gameClientIsRunning();
    if (!self)
        co_return;
    if (gameRunning) {
        m_operation.setErrorMessage(WineSupervisorError::gameAlreadyRunning().description());
        m_operation.end();
        co_return;
    }
    co_await wine.shutDown();
    if (!self)
        co_return;

    m_operation.advance(0.0, 1.0, 0.15);
    m_operation.setActivity(QStringLiteral("Verifying the launcher and Easy Anti-Cheat…"));
    try {
        for (const QString &name : {QStringLiteral("EAC_LaunchVelmora.exe"), QStringLiteral("Generals.exe")}) {
            if (!fileExists(QDir(game).filePath(name)))
                throw MissingFileError(name);
        }
        co_await m_community.installCommunityContent(game, 0.18, 0.86);
        if (!self)
            co_return;
        m_operation.setInstallerPhase(InstallerPhase::onlineClient);
        m_operation.setActivity(QStringLiteral("Refreshing Easy Anti-Cheat…"));
        m_operation.advance(0.0, 1.0, 0.9);
        co_await installEAC(runtime, prefix, game, m_services.catalog.antiCheat);
    } catch (const UserFacingError &error) {
        if (self)
            m_operation.fail(QStringLiteral("Repair failed: "), error);
        co_return;
    }
    if (!self)
        co_return;
    m_operation.setInstallerPhase(InstallerPhase::complete);
    m_operation.finish(QStringLiteral("Repair complete"));
}
