#include "setup/SetupFlow.h"

#include "base/DetachedOperation.h"
#include "base/OperationState.h"
#include "setup/WinePrefix.h"

SetupFlow::SetupFlow(Services services, OperationState &operation, OnlineClientInstaller &client,
                     CommunityContent &community, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_operation(operation)
    , m_client(client)
    , m_community(community)
    , m_prefix(new WinePrefix(services, operation, this))
{}

SetupFlow::~SetupFlow() = default;

void SetupFlow::setSetupStep(SetupStep step)
{
    if (m_setupStep == step)
        return;
    m_setupStep = step;
    Q_EMIT setupStepChanged();
}

void SetupFlow::advanceTo(SetupStep step)
{
    setSetupStep(step);
    m_operation.finish(m_operation.activity());
}

void SetupFlow::beginSetup()
{
    Q_EMIT setupOpened();
    setSetupStep(SetupStep::checkMac);
}

void SetupFlow::runCurrentSetupStep()
{
    startDetached(this, m_operation, &SetupFlow::runStep, m_setupStep);
}

QCoro::Task<> SetupFlow::runStep(SetupStep step)
{
    switch (step) {
    case SetupStep::checkMac:
        co_await checkMac();
        break;
    case SetupStep::runtime:
        co_await installRuntime();
        break;
    case SetupStep::steam:
        co_await prepareSteamCMD();
        break;
    case SetupStep::gameFiles:
        Q_EMIT gameDownloadRequested();
        break;
    case SetupStep::onlineClient:
        co_await finishInstallation();
        break;
    case SetupStep::complete:
        Q_EMIT setupFinished();
        break;
    }
}

void SetupFlow::gameFilesDownloaded()
{
    setSetupStep(SetupStep::onlineClient);
}

void SetupFlow::reflectInstallation(bool isReady)
{
    setSetupStep(isReady ? SetupStep::complete : SetupStep::checkMac);
}
