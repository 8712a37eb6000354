#pragma once

#include "content/Services.h"

#include <QCoroTask>
#include <QObject>
#include <QSize>
#include <QString>

#include <optional>

class CommunityContent;
class OperationState;
class QProcess;

// Starts Velmora through the anti-cheat launcher under Wine and follows the
// game until it ends. The game's output goes straight into the session log,
// and the game outlives Tarnhold: its process object is never destroyed
// while the game runs, since that would end it.
class GameLauncher final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameLauncher)

public:
    // The chosen resolution and the prepared interface come from community.
    GameLauncher(Services services, OperationState &operation, CommunityContent &community, QObject *parent = nullptr);
    ~GameLauncher() override;

    // Refuses while a game or an operation runs; stops leftover Wine, puts
    // the official content back in place and starts the game. Reports
    // through the operation; runs detached.
    void launchGame();
    // Between the start of a launch and its end: the game runs, or the
    // launch left an error.
    bool isLaunching() const { return m_launching; }
    // Asks the running game, if any, to end: the one this process started,
    // or else one running in the prefix, whose Wine is then shut down.
    void stopGame();
    // The same; true when a game was running and was asked to end.
    QCoro::Task<bool> stopRunningGame();
    // Shows the game folder, or the logs folder, in the file manager.
    void revealInstallation();
    void revealLogs();

    // The width and height for a resolution text; any other text is 2560 × 1440.
    static QSize selectedResolution(const QString &resolution);

Q_SIGNALS:
    void launchEnded();

private:
    class LaunchTurn;

    QCoro::Task<> launch(std::optional<QString> runtime, std::optional<QString> prefix);
    // Stops Wine left running by earlier work, unless it is the game.
    QCoro::Task<> clearLeftoversAndLaunch(QString runtime, QString prefix);
    // The guards, the official content and the logs, then the start.
    QCoro::Task<> performLaunch();
    QCoro::Task<> startGame(QString runtime, QString prefix, QString launcher, QSize size);
    void gameEnded();

    Services m_services;
    OperationState &m_operation;
    CommunityContent &m_community;
    // Owned by itself once started: it deletes itself when the game ends.
    QProcess *m_game = nullptr;
    // Between the guards and the start, so a second launch waits its turn.
    bool m_launching = false;
};
