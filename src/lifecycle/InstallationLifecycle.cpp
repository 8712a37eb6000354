#include "lifecycle/InstallationLifecycle.h"

#include "base/BackgroundWork.h"
#include "base/DetachedOperation.h"
#include "base/InstallationRecord.h"
#include "base/InstalledLocations.h"
#include "base/OperationState.h"
#include "base/UserFacingError.h"
#include "content/InstalledWine.h"
#include "lifecycle/ApplicationRemoval.h"
#include "lifecycle/ManagedInstallation.h"
#include "platform/Platform.h"
#include "setup/SetupFlow.h"

#include <QCoroFuture>
#include <QPointer>

InstallationLifecycle::InstallationLifecycle(Services services, OperationState &operation, SetupFlow &setup,
                                             QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_operation(operation)
    , m_setup(setup)
{}

InstallationLifecycle::~InstallationLifecycle() = default;

void InstallationLifecycle::uninstallManagedInstallation()
{
    if (m_operation.isBusy())
        return;
    startDetached(this, m_operation, &InstallationLifecycle::removeManagedInstallation);
}

QCoro::Task<> InstallationLifecycle::removeManagedInstallation()
{
    const QPointer<InstallationLifecycle> self(this);
    if (!m_operation.begin(QStringLiteral("Removing the managed installation…")))
        co_return;
    // Nothing may go on writing into the prefix once it is in the Trash: the
    // game, and whatever else Wine runs in it, is stopped first.
    if (const std::optional<WineSupervisor> wine = installedWine(m_services)) {
        co_await wine->shutDown();
        if (!self)
            co_return;
    }
    try {
        (co_await runInBackground([](Platform *platform) { trashManagedInstallation(*platform); },
                                  &m_services.platform))
            .take();
    } catch (const UserFacingError &error) {
        if (self)
            m_operation.fail(QStringLiteral("Uninstall failed: "), error);
        co_return;
    }
    if (!self)
        co_return;
    m_services.record.setState(withoutManagedInstallation(m_services.record.state()));
    m_services.record.save();
    m_setup.reflectInstallation(false);
    Q_EMIT managedInstallationRemoved();
    m_operation.finish(QStringLiteral("Managed installation removed"),
                       QStringLiteral("The Tarnhold-managed game, runtime and download files were moved to the Trash. "
                                      "The proven legacy installation was preserved and is currently hidden for a "
                                      "clean lifecycle test."));
}

void InstallationLifecycle::restoreLegacyInstallation()
{
    if (!legacyInstallationPresent()) {
        m_operation.setErrorMessage(QStringLiteral("No complete legacy Velmora installation was detected."));
        return;
    }
    m_services.record.setState(withLegacyInstallationVisible(m_services.record.state()));
    m_services.record.save();
    const bool ready = isReady(m_services.record.state());
    m_setup.reflectInstallation(ready);
    Q_EMIT legacyInstallationRestored();
    m_operation.setActivity(ready ? QStringLiteral("Ready") : QStringLiteral("Installation required"));
    m_operation.setNoticeMessage(QStringLiteral("The preserved legacy installation is visible to Tarnhold again."));
}

void InstallationLifecycle::uninstallApplication()
{
    if (!m_services.platform.applicationIsInstalled()) {
        m_operation.setErrorMessage(QStringLiteral("This development copy is not installed in Applications."));
        return;
    }
    try {
        startApplicationRemoval(m_services.platform);
    } catch (const UserFacingError &error) {
        m_operation.setErrorMessage(QStringLiteral("Could not uninstall Tarnhold: ") + error.description());
        return;
    }
    m_services.platform.quitApplication();
}
