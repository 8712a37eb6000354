#include "setup/SetupFlow.h"

#include "base/OperationState.h"

#include <QPointer>

SetupFlow::SetupFlow(Services services, OperationState &operation, OnlineClientInstaller &client,
                     CommunityContent &community, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_operation(operation)
    , m_client(client)
    , m_community(community)
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
    [](QPointer<SetupFlow> self, SetupStep step) -> QCoro::Task<> {
        try {
            switch (step) {
            case SetupStep::checkMac:
                co_await self->checkMac();
                break;
            case SetupStep::runtime:
                co_await self->installRuntime();
                break;
            case SetupStep::steam:
                co_await self->prepareSteamCMD();
                break;
            case SetupStep::gameFiles:
                Q_EMIT self->gameDownloadRequested();
                break;
            case SetupStep::onlineClient:
                break;
            case SetupStep::complete:
                Q_EMIT self->setupFinished();
                break;
            }
        } catch (...) {
            // The steps report their own failures; only something like
            // running out of memory gets here, and the button must work again.
            if (self) {
                self->m_operation.setErrorMessage(QStringLiteral("Tarnhold ran into an unexpected error."));
                self->m_operation.end();
            }
        }
    }(this, m_setupStep);
}

void SetupFlow::gameFilesDownloaded()
{
    setSetupStep(SetupStep::onlineClient);
}

void SetupFlow::reflectInstallation(bool isReady)
{
    setSetupStep(isReady ? SetupStep::complete : SetupStep::checkMac);
}
