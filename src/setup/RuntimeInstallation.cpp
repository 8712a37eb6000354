// The second setup step: the Wine runtime that travels with Tarnhold, placed
// in the support folder.
#include "base/FileChanges.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "base/UserFacingError.h"
#include "platform/Platform.h"
#include "platform/SystemWording.h"
#include "process/ProcessRunner.h"
#include "setup/SetupFlow.h"

#include <QDir>
#include <QPointer>

QCoro::Task<> SetupFlow::installRuntime()
{
    const QPointer<SetupFlow> self(this);
    Platform &platform = m_services.platform;
    const QDir resources(platform.resourcesFolder());
    const QString folder = resources.filePath(QStringLiteral("Runtime"));
    const QString archive = resources.filePath(QStringLiteral("runtime-sse2-full.tar.xz"));
    const bool folderUsable = isExecutableFile(QDir(folder).filePath(QStringLiteral("bin/wine")));
    if (!folderUsable && !fileExists(archive)) {
        m_operation.setErrorMessage(QStringLiteral(
            "This development build does not contain the redistributable runtime yet. The proven local runtime "
            "remains available, but a public package needs the runtime artifact bundled and notarized."));
        co_return;
    }

    if (!m_operation.begin(InstallerPhase::environment, 0.1,
                           systemWording(QStringLiteral("Installing the free Wine 11 SSE2 runtime…"))))
        co_return;
    try {
        // The runtime is replaced as a whole, never merged with an older one.
        const QString installed = Locations::currentRuntimeFolder();
        removeItem(installed);
        // The folder form is preferred: it needs no unpacking. Both tools
        // write into an existing folder.
        makeFolder(installed);
        const ToolCommand copy =
            folderUsable ? platform.copyTreeCommand(folder, installed) : platform.untarCommand(archive, installed, 1);
        co_await ProcessRunner::run(copy.program, copy.arguments);
    } catch (const UserFacingError &error) {
        if (self)
            m_operation.fail(QStringLiteral("Runtime installation failed: "), error);
        co_return;
    }
    if (self)
        advanceTo(SetupStep::steam);
}
