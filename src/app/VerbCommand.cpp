#include "app/VerbCommand.h"

#include "app/CommandClaim.h"
#include "app/CommandLine.h"
#include "app/GameCommands.h"
#include "app/OperationReport.h"
#include "app/PrintableText.h"
#include "app/SetupCommand.h"
#include "app/SingleInstance.h"
#include "app/StatusCommand.h"
#include "app/TarnholdModel.h"
#include "client/UpdateChannel.h"
#include "content/CommunityContent.h"
#include "lifecycle/InstallationLifecycle.h"
#include "maps/MapImporter.h"
#include "maps/MapLibrary.h"
#include "setup/SetupFlow.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <unistd.h>

namespace {

using Verb = CommandLine::Verb;

std::optional<InstalledMap> mapNamed(const MapLibrary &library, const QString &name)
{
    for (const InstalledMap &map : library.installedMaps())
        if (map.name == name)
            return map;
    return std::nullopt;
}

void printMaps(const MapLibrary &library, QIODevice &out)
{
    for (const InstalledMap &map : library.installedMaps())
        out.write(printable(map.name).toUtf8() + '\t' + label(map.source).toUtf8() + '\n');
}

QStringList absolutePaths(const QStringList &paths)
{
    QStringList absolute;
    for (const QString &path : paths)
        absolute.append(QFileInfo(path).absoluteFilePath());
    return absolute;
}

// The verbs that only read, or look after the game, run while another
// Tarnhold works on the installation.
bool changesInstallation(Verb verb)
{
    return verb != Verb::status && verb != Verb::mapsList && verb != Verb::mapsOpen && verb != Verb::stop
           && verb != Verb::launch;
}

QCoro::Task<int> runVerbAlongsideOthers(TarnholdModel &model, const CommandLine &command, QIODevice &out,
                                        QIODevice &err)
{
    switch (command.verb) {
    case Verb::status:
        printStatus(model, command.json, out);
        break;
    case Verb::mapsList:
        printMaps(model.maps(), out);
        break;
    case Verb::mapsOpen:
        model.mapImporter().revealMapLibrary();
        break;
    case Verb::stop:
        co_return co_await runStop(model, out, err);
    case Verb::launch:
        // The launch claims the installation only until the game runs.
        co_return co_await runLaunch(model, command, out, err);
    default:
        break;
    }
    co_return 0;
}

// The window's operation for a verb, started as its command starts it.
std::function<void()> operationFor(TarnholdModel &model, const CommandLine &command)
{
    switch (command.verb) {
    case Verb::checkUpdates:
        return [&model] { model.updates().checkForUpdates(); };
    case Verb::update:
        return [&model] { model.setup().installAvailableUpdate(); };
    case Verb::repair:
        return [&model] { model.setup().repair(); };
    case Verb::profile:
        return [&model] { model.community().installCommunityContent(); };
    case Verb::mapsImport:
        return [&model, paths = absolutePaths(command.operands)] { model.mapImporter().importMaps(paths); };
    case Verb::mapsRemove:
        return
            [&model, map = *mapNamed(model.maps(), command.operands.first())] { model.mapImporter().removeMap(map); };
    case Verb::uninstallManaged:
        return [&model] { model.lifecycle().uninstallManagedInstallation(); };
    case Verb::restoreLegacy:
        return [&model] { model.lifecycle().restoreLegacyInstallation(); };
    case Verb::openUrl:
        return [&model, url = QUrl(command.operands.first(), QUrl::StrictMode)] { model.handle(url); };
    case Verb::status:
    case Verb::mapsOpen:
    case Verb::setup:
    case Verb::launch:
    case Verb::stop:
    case Verb::mapsList:
        break;
    }
    return {};
}

// The window shows what a check found in its status; a command says it.
void printCheckOutcome(const TarnholdModel &model, QIODevice &out)
{
    const std::optional<ReleaseManifest> release = model.updates().release();
    if (!release)
        return;
    const QByteArray version = printable(release->version).toUtf8();
    if (!model.isReady())
        out.write("Velmora " + version + " is the current release. Install it with “tarnhold setup”.\n");
    else if (model.hasUpdate())
        out.write("Velmora " + version + " is available. Install it with “tarnhold update”.\n");
    else
        out.write("Velmora " + version + " is the current release.\n");
}

QCoro::Task<int> followOperation(TarnholdModel &model, const CommandLine &command, QIODevice &out, QIODevice &err,
                                 bool terminal)
{
    OperationReport report(model.operation(), out, err, terminal);
    const int status = co_await report.follow(operationFor(model, command));
    if (status == 0 && command.verb == Verb::checkUpdates)
        printCheckOutcome(model, out);
    co_return status;
}

} // namespace

QCoro::Task<int> runVerb(TarnholdModel &model, const CommandLine &command, QIODevice &out, QIODevice &err,
                         bool terminal)
{
    const bool refreshed = co_await awaitRefresh(model.refresh(), err);
    if (!refreshed)
        co_return 1;
    if (!changesInstallation(command.verb))
        co_return co_await runVerbAlongsideOthers(model, command, out, err);
    if (command.verb == Verb::mapsRemove && !mapNamed(model.maps(), command.operands.first())) {
        err.write("tarnhold: No map named “" + printable(command.operands.first()).toUtf8()
                  + "” is in the game’s map library.\n");
        co_return 1;
    }
    // Held for the whole command: a setup is many operations in a row.
    if (!claimForCommand(model.operation(), err))
        co_return installationBusyStatus;
    int status = 0;
    if (command.verb == Verb::setup)
        status = co_await runSetup(model, out, err, terminal);
    else
        status = co_await followOperation(model, command, out, err, terminal);
    model.operation().releaseInstallation();
    co_return status;
}

int runVerbCommand(int &argc, char **argv, const CommandLine &command, const ModelFactory &makeModel)
{
    QCoreApplication application(argc, argv);
    const std::unique_ptr<TarnholdModel> owned = makeModel();
    TarnholdModel &model = *owned;
    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered)
        || !err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 1;
    // The refresh may wait for the network, so it starts once the event loop
    // runs; exiting before exec() would be ignored.
    QTimer::singleShot(0, &model, [&] {
        [](QCoro::Task<int> running) -> QCoro::Task<> {
            QCoreApplication::exit(co_await std::move(running));
        }(runVerb(model, command, out, err, isatty(STDOUT_FILENO) == 1));
    });
    const int status = QCoreApplication::exec();
    // A window open meanwhile shows what the command changed.
    if (status != installationBusyStatus && changesInstallation(command.verb))
        SingleInstance::sendToRunningInstance(QUrl(QStringLiteral("tarnhold://refresh")));
    return status;
}
