#include "app/GameCommands.h"

#include "app/CommandClaim.h"
#include "app/CommandLine.h"
#include "app/PrintableText.h"
#include "app/TarnholdModel.h"
#include "base/InstallationRecord.h"
#include "base/OperationState.h"
#include "client/GameLauncher.h"
#include "client/SessionLogs.h"
#include "content/CommunityContent.h"

#include <QCoroSignal>
#include <QIODevice>

namespace {

// The resolution asked for, or else the one the interface was prepared for,
// so that a plain launch starts a game whose interface fits.
QString chosenResolution(const TarnholdModel &model, const CommandLine &command)
{
    if (command.resolution)
        return *command.resolution;
    return model.record().state().controlBarResolution.value_or(model.community().resolution());
}

} // namespace

QCoro::Task<int> runLaunch(TarnholdModel &model, const CommandLine &command, QIODevice &out, QIODevice &err)
{
    GameLauncher &launcher = model.launcher();
    OperationState &operation = model.operation();
    if (!claimForCommand(operation, err))
        co_return installationBusyStatus;
    model.community().setResolution(chosenResolution(model, command));
    operation.setErrorMessage(std::nullopt);
    launcher.launchGame();
    while (launcher.isLaunching())
        co_await qCoro(&launcher, &GameLauncher::launchEnded);
    // Others may work on the installation while the game runs, as they may
    // while the window shows a running game.
    operation.releaseInstallation();
    if (const std::optional<QString> error = operation.errorMessage()) {
        err.write("tarnhold: " + printable(*error).toUtf8() + '\n');
        co_return 1;
    }
    out.write("Velmora was started. Its log is written to " + printable(SessionLogs::sessionLog()).toUtf8() + ".\n");
    if (!command.wait)
        co_return 0;
    while (operation.isGameRunning())
        co_await qCoro(&operation, &OperationState::isGameRunningChanged);
    out.write("Velmora has ended.\n");
    co_return 0;
}

QCoro::Task<int> runStop(TarnholdModel &model, QIODevice &out, QIODevice &err)
{
    const bool asked = co_await model.launcher().stopRunningGame();
    if (!asked) {
        err.write("tarnhold: Velmora is not running.\n");
        co_return 1;
    }
    out.write("Velmora was asked to end.\n");
    co_return 0;
}
