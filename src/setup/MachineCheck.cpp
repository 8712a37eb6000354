// The first setup step: can this machine run the game at all?
#include "base/InstallationRecord.h"
#include "base/InstalledLocations.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "base/UserFacingError.h"
#include "platform/Platform.h"
#include "platform/SystemWording.h"
#include "process/ProcessRunner.h"
#include "setup/SetupFlow.h"

#include <QPointer>

namespace {

// Below 8 GB, decimal, as the system counts free space.
constexpr qint64 requiredFreeSpace = 8'000'000'000;

} // namespace

QCoro::Task<> SetupFlow::checkMac()
{
    const QPointer<SetupFlow> self(this);
    Platform &platform = m_services.platform;
    if (!m_operation.begin(InstallerPhase::preparing, 0.2,
                           systemWording(QStringLiteral("Checking processor, macOS and disk space…"))))
        co_return;
    if (const std::optional<QString> unmet = platform.unmetSystemRequirement()) {
        m_operation.setErrorMessage(*unmet);
        m_operation.end();
        co_return;
    }
    // A folder that does not exist yet, or a volume that cannot tell, passes.
    const std::optional<qint64> available = platform.availableCapacity(Locations::supportFolder());
    if (available && *available < requiredFreeSpace) {
        m_operation.setErrorMessage(QStringLiteral("At least 8 GB of free disk space is required."));
        m_operation.end();
        co_return;
    }
    if (platform.needsRosetta() && !platform.rosettaInstalled()) {
        const bool installed = co_await installRosetta();
        if (!self)
            co_return;
        if (!installed) {
            m_operation.end();
            co_return;
        }
    }
    // A runtime left by an earlier setup is used as it is.
    advanceTo(runtimeURL(m_services.record.state()) ? SetupStep::steam : SetupStep::runtime);
}

QCoro::Task<bool> SetupFlow::installRosetta()
{
    const QPointer<SetupFlow> self(this);
    m_operation.advance(0.0, 1.0, 0.5);
    m_operation.setActivity(
        QStringLiteral("Installing Rosetta 2. macOS will ask for your Mac password; Tarnhold never sees it."));
    m_operation.setProgressIsIndeterminate(true);
    const ToolCommand installer = m_services.platform.installRosettaCommand();
    const double limit = std::chrono::duration<double>(m_services.timing.rosettaInstallLimit).count();
    bool ran = true;
    try {
        co_await ProcessRunner::run(installer.program, installer.arguments, std::nullopt, std::nullopt, limit);
    } catch (const UserFacingError &) {
        // Cancelling the password dialog fails the run too.
        ran = false;
    }
    if (!self)
        co_return false;
    m_operation.setProgressIsIndeterminate(false);
    if (!ran) {
        m_operation.setErrorMessage(
            QStringLiteral("Rosetta 2 is required to run the Windows game on Apple Silicon. Install it by running "
                           "“softwareupdate --install-rosetta --agree-to-license” in Terminal, then retry."));
        co_return false;
    }
    if (!m_services.platform.rosettaInstalled()) {
        m_operation.setErrorMessage(QStringLiteral("Rosetta 2 did not finish installing. Run “softwareupdate "
                                                   "--install-rosetta --agree-to-license” in Terminal, then retry."));
        co_return false;
    }
    co_return true;
}
