// Update: the online client's current release, then the community content
// that goes with it.
#include "base/DetachedOperation.h"
#include "base/InstallationRecord.h"
#include "base/InstalledLocations.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "base/UserFacingError.h"
#include "client/OnlineClientInstaller.h"
#include "content/CommunityContent.h"
#include "setup/SetupFlow.h"

#include <QPointer>

void SetupFlow::installAvailableUpdate()
{
    // The window offers no command while another runs; a URL may still ask.
    if (m_operation.isBusy())
        return;
    const InstalledState state = m_services.record.state();
    const std::optional<QString> runtime = runtimeURL(state);
    const std::optional<QString> prefix = prefixURL(state);
    if (!runtime || !prefix) {
        m_operation.setErrorMessage(QStringLiteral("The current installation is incomplete."));
        return;
    }
    startDetached(this, m_operation, &SetupFlow::runUpdate, *runtime, *prefix);
}

QCoro::Task<> SetupFlow::runUpdate(QString runtime, QString prefix)
{
    const QPointer<SetupFlow> self(this);
    const QString game = Locations::gameFolder(prefix);
    if (!m_operation.begin(InstallerPhase::onlineClient, 0.03, m_operation.activity()))
        co_return;
    try {
        co_await m_client.installLatestPatch(runtime, prefix, game, 0.03, 0.72);
        if (!self)
            co_return;
        m_operation.setInstallerPhase(InstallerPhase::community);
        co_await m_community.installCommunityContent(game, 0.72, 0.99);
    } catch (const UserFacingError &error) {
        if (self)
            m_operation.fail(QStringLiteral("Update failed: "), error);
        co_return;
    }
    if (!self)
        co_return;
    m_operation.setInstallerPhase(InstallerPhase::complete);
    m_operation.finish(m_operation.activity());
}
