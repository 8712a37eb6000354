#pragma once

#include "content/Services.h"
#include "setup/SetupStep.h"

#include <QCoroTask>
#include <QObject>

class CommunityContent;
class OnlineClientInstaller;
class OperationState;
class WinePrefix;

// The guided setup: which step comes next, and the steps that prepare the
// machine (the machine check, the runtime, SteamCMD). The game download and
// the sections belong to others, so the flow announces with signals where
// the setup opens, where the game download starts and where it ends. It also
// runs the operations made of other controllers' steps: repair and update.
class SetupFlow final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SetupFlow)

    Q_PROPERTY(SetupStep setupStep READ setupStep NOTIFY setupStepChanged)

public:
    SetupFlow(Services services, OperationState &operation, OnlineClientInstaller &client, CommunityContent &community,
              QObject *parent = nullptr);
    ~SetupFlow() override;

    SetupStep setupStep() const { return m_setupStep; }

    // Opens the setup at its first step, without running it.
    void beginSetup();
    // Runs the current step detached, as the setup screen's button does;
    // each step applies its own guards.
    void runCurrentSetupStep();

    // The steps. None throws; each ends in errorMessage on failure and moves
    // setupStep on by itself when it succeeds.
    QCoro::Task<> checkMac();
    QCoro::Task<> installRuntime();
    QCoro::Task<> prepareSteamCMD();
    // Builds the playable installation from the Steam download: the Wine
    // prefix, the game copied into it, the online client and the community
    // content.
    QCoro::Task<> finishInstallation();

    // Stops leftover Wine processes, checks the launcher and the game, and
    // installs the anti-cheat again; runs detached and reports through the
    // operation. Without a runtime or prefix it opens the setup instead.
    void repair();
    // Installs the release the update channel names now, then the community
    // content; runs detached and reports through the operation.
    void installAvailableUpdate();

    // The Steam download holds the whole game.
    void gameFilesDownloaded();
    // A refresh found the installation ready or not: the setup is complete,
    // or begins again at the first step and finds earlier work on disk.
    void reflectInstallation(bool isReady);

Q_SIGNALS:
    void setupStepChanged();
    // beginSetup ran: show the setup and forget any earlier Steam download.
    void setupOpened();
    // The current step is the game download.
    void gameDownloadRequested();
    // The finished setup's button was pressed: show the home section.
    void setupFinished();

private:
    void setSetupStep(SetupStep step);
    // Asks macOS to install Rosetta 2; false with errorMessage set when it is
    // still missing afterwards.
    QCoro::Task<bool> installRosetta();
    QCoro::Task<> runStep(SetupStep step);
    QCoro::Task<> finishSteps(QString runtime, QString source);
    QCoro::Task<> runRepair(QString runtime, QString prefix);
    QCoro::Task<> runUpdate(QString runtime, QString prefix);
    // The step just succeeded: progress ends at 1.0 and the activity stays.
    void advanceTo(SetupStep step);

    Services m_services;
    OperationState &m_operation;
    OnlineClientInstaller &m_client;
    CommunityContent &m_community;
    WinePrefix *m_prefix;
    SetupStep m_setupStep = SetupStep::checkMac;
};
