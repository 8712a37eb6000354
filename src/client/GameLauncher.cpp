#include "client/GameLauncher.h"

#include "base/BackgroundWork.h"
#include "base/DetachedOperation.h"
#include "base/InstallationRecord.h"
#include "base/InstalledLocations.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "client/OfficialMultiplayerContent.h"
#include "client/SessionLogs.h"
#include "content/CommunityContent.h"
#include "content/InstalledWine.h"
#include "platform/Platform.h"
#include "process/WineEnvironment.h"
#include "process/WineSupervisor.h"
#include "process/WineSupervisorError.h"

#include <QCoroFuture>
#include <QCoroProcess>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QProcess>

#include <unistd.h>

namespace {

bool mentionsGame(const WineProcess &process)
{
    return process.command.toLower().contains(QLatin1String("generals"));
}

// The official content must be in place; the logs only may fail.
void prepareLaunchFiles(const QString &game, const OfficialContentSources &sources)
{
    prepareOfficialMultiplayerContent(game, sources);
    try {
        SessionLogs::rotateSessionLogs();
    } catch (const UserFacingError &) {
    }
    QDir().mkpath(Locations::logsFolder());
}

} // namespace

// Ends a launch's turn on every way out, unless the launcher is gone.
class GameLauncher::LaunchTurn
{
public:
    explicit LaunchTurn(GameLauncher *launcher)
        : m_launcher(launcher)
    {}
    ~LaunchTurn()
    {
        if (!m_launcher)
            return;
        m_launcher->m_launching = false;
        Q_EMIT m_launcher->launchEnded();
    }
    Q_DISABLE_COPY_MOVE(LaunchTurn)

private:
    QPointer<GameLauncher> m_launcher;
};

GameLauncher::GameLauncher(Services services, OperationState &operation, CommunityContent &community, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_operation(operation)
    , m_community(community)
{}

// A running game's process is left to delete itself when the game ends.
GameLauncher::~GameLauncher() = default;

QSize GameLauncher::selectedResolution(const QString &resolution)
{
    if (resolution == QStringLiteral("1920 × 1080"))
        return {1920, 1080};
    if (resolution == QStringLiteral("1280 × 720"))
        return {1280, 720};
    return {2560, 1440};
}

void GameLauncher::launchGame()
{
    if (m_operation.isGameRunning() || m_operation.isBusy() || m_launching)
        return;
    m_launching = true;
    const InstalledState state = m_services.record.state();
    startDetached(this, m_operation, &GameLauncher::launch, runtimeURL(state), prefixURL(state));
}

QCoro::Task<> GameLauncher::launch(std::optional<QString> runtime, std::optional<QString> prefix)
{
    const LaunchTurn turn(this);
    // Without them the launch itself says what is missing.
    if (runtime && prefix)
        co_await clearLeftoversAndLaunch(*runtime, *prefix);
    else
        co_await performLaunch();
}

QCoro::Task<> GameLauncher::clearLeftoversAndLaunch(QString runtime, QString prefix)
{
    const QPointer<GameLauncher> self(this);
    const WineSupervisor supervisor(runtime, prefix, wineEnvironment(runtime, prefix),
                                    m_services.platform.listProcessesCommand(), m_services.timing.wine);
    const QList<WineProcess> leftovers = co_await supervisor.runningProcesses();
    if (!self)
        co_return;
    if (std::ranges::any_of(leftovers, &mentionsGame)) {
        m_operation.setErrorMessage(WineSupervisorError::gameAlreadyRunning().description());
        co_return;
    }
    if (!leftovers.isEmpty()) {
        if (!m_operation.begin(QStringLiteral("Stopping leftover Wine processes…")))
            co_return;
        co_await supervisor.shutDown();
        if (!self)
            co_return;
        m_operation.end();
    }
    co_await performLaunch();
}

QCoro::Task<> GameLauncher::performLaunch()
{
    const QPointer<GameLauncher> self(this);
    if (m_operation.isGameRunning())
        co_return;
    const InstalledState state = m_services.record.state();
    const std::optional<QString> runtime = runtimeURL(state);
    const std::optional<QString> prefix = prefixURL(state);
    const std::optional<QString> launcher = launcherURL(state);
    // A launcher path alone would start Wine on nothing and call it a game.
    if (!runtime || !prefix || !launcher || !fileExists(*launcher)) {
        m_operation.setErrorMessage(QStringLiteral("The runtime or Velmora files are missing. Open Install & Repair."));
        co_return;
    }
    const QString resolution = m_community.resolution();
    if (state.controlBarResolution && *state.controlBarResolution != resolution) {
        m_operation.setErrorMessage(
            QStringLiteral(
                "The interface is prepared for %1. Restore the multiplayer profile after changing resolution.")
                .arg(*state.controlBarResolution));
        co_return;
    }
    const QString game = Locations::gameFolder(*prefix);
    const OfficialContentSources sources{state, m_services.catalog, &m_services.platform};
    try {
        // Digests and copies of whole maps: off the GUI thread.
        (co_await runInBackground(&prepareLaunchFiles, game, sources)).take();
    } catch (const UserFacingError &error) {
        if (self)
            m_operation.setErrorMessage(QStringLiteral("Could not prepare the official multiplayer files: ")
                                        + error.description());
        co_return;
    }
    if (!self)
        co_return;
    co_await startGame(*runtime, *prefix, *launcher, selectedResolution(resolution));
}

QCoro::Task<> GameLauncher::startGame(QString runtime, QString prefix, QString launcher, QSize size)
{
    const QPointer<GameLauncher> self(this);
    const QString log = SessionLogs::sessionLog();
    // Each session's log starts empty.
    QFile session(log);
    if (!session.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_operation.setErrorMessage(QStringLiteral("Could not launch Velmora: ") + session.errorString());
        co_return;
    }
    session.close();

    EnvironmentVariables environment = wineEnvironment(runtime, prefix);
    Environment::set(environment, QStringLiteral("WINEDEBUG"), QStringLiteral("+timestamp,err+all,fixme-all"));
    // No parent: the game must not end with Tarnhold, so its process object
    // outlives the launcher and deletes itself once the game has ended.
    auto *game = new QProcess;
    game->setProgram(QDir(runtime).filePath(QStringLiteral("bin/wine")));
    game->setArguments({launcher, QStringLiteral("-xres"), QString::number(size.width()), QStringLiteral("-yres"),
                        QString::number(size.height())});
    game->setWorkingDirectory(Locations::gameFolder(prefix));
    game->setProcessEnvironment(Environment::processEnvironment(environment));
    game->setStandardInputFile(QProcess::nullDevice());
    // Both streams go straight into the file: a chatty game costs Tarnhold
    // nothing, and the log survives Tarnhold.
    game->setStandardOutputFile(log, QIODevice::Append);
    game->setStandardErrorFile(log, QIODevice::Append);
    connect(game, &QProcess::finished, game, &QObject::deleteLater);
    // A session of its own: closing the terminal Tarnhold was started from,
    // or Ctrl-C there, does not reach the game.
    game->setChildProcessModifier([] { ::setsid(); });
    const bool started = co_await qCoro(game).start();
    if (!started) {
        const QString reason = game->errorString();
        delete game;
        if (self)
            m_operation.setErrorMessage(QStringLiteral("Could not launch Velmora: ") + reason);
        co_return;
    }
    if (!self)
        co_return;
    m_game = game;
    m_operation.setGameRunning(true);
    connect(game, &QProcess::finished, this, &GameLauncher::gameEnded);
    // A game that ended while the start was confirmed has already announced it.
    if (game->state() == QProcess::NotRunning)
        gameEnded();
}

void GameLauncher::gameEnded()
{
    if (!m_game)
        return;
    m_game = nullptr;
    m_operation.setGameRunning(false);
    try {
        SessionLogs::archiveVelmoraLog();
    } catch (const UserFacingError &) {
    }
}

void GameLauncher::stopGame()
{
    stopRunningGame();
}

QCoro::Task<bool> GameLauncher::stopRunningGame()
{
    if (m_game) {
        m_game->terminate();
        co_return true;
    }
    // A game started by an earlier Tarnhold, or by a command that has ended.
    const std::optional<WineSupervisor> wine = installedWine(m_services);
    if (!wine)
        co_return false;
    const bool running = co_await wine->gameClientIsRunning();
    if (!running)
        co_return false;
    co_await wine->shutDown();
    co_return true;
}

void GameLauncher::revealInstallation()
{
    if (const std::optional<QString> prefix = prefixURL(m_services.record.state()))
        m_services.platform.revealFile(Locations::gameFolder(*prefix));
}

void GameLauncher::revealLogs()
{
    QDir().mkpath(Locations::logsFolder());
    m_services.platform.openFolder(Locations::logsFolder());
}
