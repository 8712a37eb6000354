#include "app/TarnholdModel.h"

#include "app/Status.h"
#include "base/InstallationLock.h"
#include "base/InstallationRecord.h"
#include "base/InstalledLocations.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "client/GameLauncher.h"
#include "client/OnlineClientInstaller.h"
#include "client/UpdateChannel.h"
#include "content/CommunityContent.h"
#include "content/HttpClient.h"
#include "lifecycle/InstallationLifecycle.h"
#include "maps/MapImporter.h"
#include "maps/MapLibrary.h"
#include "platform/Platform.h"
#include "setup/SetupFlow.h"
#include "setup/SteamDownload.h"

#include <QDir>
#include <QPointer>

TarnholdModel::TarnholdModel(std::unique_ptr<Platform> platform, Catalog catalog, Timing timing, QObject *parent)
    : QObject(parent)
    , m_platform(std::move(platform))
    , m_catalog(std::move(catalog))
    , m_lock(std::make_unique<InstallationLock>(Locations::installationLockFile()))
    , m_operation(std::make_unique<OperationState>())
    , m_record(std::make_unique<InstallationRecord>())
    , m_http(std::make_unique<HttpClient>(timing, *m_operation))
{
    m_operation->setInstallationLock(m_lock.get());
    const Services services{*m_platform, *m_http, m_catalog, timing, *m_record};
    m_updates = std::make_unique<UpdateChannel>(services, *m_operation);
    m_maps = std::make_unique<MapLibrary>(m_catalog);
    m_mapImporter = std::make_unique<MapImporter>(*m_platform, *m_operation, *m_maps);
    m_steam = std::make_unique<SteamDownload>(services, *m_operation);
    m_client = std::make_unique<OnlineClientInstaller>(services, *m_operation, *m_updates);
    m_community = std::make_unique<CommunityContent>(services, *m_operation);
    m_launcher = std::make_unique<GameLauncher>(services, *m_operation, *m_community);
    m_setup = std::make_unique<SetupFlow>(services, *m_operation, *m_client, *m_community);
    connect(m_setup.get(), &SetupFlow::setupOpened, this, [this] {
        setSelectedSection(AppSection::setup);
        m_steam->reset();
    });
    connect(m_setup.get(), &SetupFlow::gameDownloadRequested, m_steam.get(),
            &SteamDownload::startEmbeddedSteamDownload);
    connect(m_steam.get(), &SteamDownload::gameFilesReady, m_setup.get(), &SetupFlow::gameFilesDownloaded);
    connect(m_setup.get(), &SetupFlow::setupFinished, this, [this] { setSelectedSection(AppSection::home); });
    m_lifecycle = std::make_unique<InstallationLifecycle>(services, *m_operation, *m_setup);
    connect(m_lifecycle.get(), &InstallationLifecycle::managedInstallationRemoved, this, [this] {
        setSelectedSection(AppSection::setup);
        // The Steam download it showed went to the Trash with the rest.
        m_steam->reset();
    });
    connect(m_lifecycle.get(), &InstallationLifecycle::legacyInstallationRestored, this, [this] {
        setSelectedSection(AppSection::home);
        // The legacy folders count again, though the record may read the same.
        refreshComponents();
    });

    // The component rows are derived: they follow every input that signals,
    // and the files an operation may have changed once it ends.
    connect(m_record.get(), &InstallationRecord::stateChanged, this, &TarnholdModel::refreshComponents);
    connect(m_updates.get(), &UpdateChannel::releaseChanged, this, &TarnholdModel::refreshComponents);
    connect(m_maps.get(), &MapLibrary::installedMapsChanged, this, &TarnholdModel::refreshComponents);
    connect(m_operation.get(), &OperationState::isBusyChanged, this, [this] {
        if (!m_operation->isBusy()) {
            refreshComponents();
            // An operation may have changed the game's maps.
            m_maps->refreshMapLibrary();
        }
    });
    // Every input of isReady, hasUpdate and statusTitle that signals.
    for (const auto signal :
         {&OperationState::isBusyChanged, &OperationState::activityChanged, &OperationState::isGameRunningChanged})
        connect(m_operation.get(), signal, this, &TarnholdModel::statusChanged);
    connect(m_record.get(), &InstallationRecord::stateChanged, this, &TarnholdModel::statusChanged);
    connect(m_updates.get(), &UpdateChannel::releaseChanged, this, &TarnholdModel::statusChanged);
    connect(this, &TarnholdModel::componentsChanged, this, &TarnholdModel::statusChanged);
}

TarnholdModel::~TarnholdModel()
{
    // An aborted transfer resumes its coroutine at once; it must find every
    // object it may touch still alive, and nothing more to start.
    m_http->close();
}

void TarnholdModel::setSelectedSection(AppSection section)
{
    if (m_selectedSection == section)
        return;
    m_selectedSection = section;
    Q_EMIT selectedSectionChanged();
}

bool TarnholdModel::isReady() const
{
    return ::isReady(m_record->state());
}

bool TarnholdModel::hasUpdate() const
{
    return ::hasUpdate(m_updates->release(), m_record->state());
}

QString TarnholdModel::statusTitle() const
{
    // Readiness looks at the disk, so it is only asked when it can decide.
    const bool busy = m_operation->isBusy();
    const bool ready = !busy && isReady();
    return ::statusTitle({m_operation->isGameRunning(), busy, m_operation->activity(), ready, ready && hasUpdate()});
}

QCoro::Task<> TarnholdModel::refresh()
{
    const QPointer<TarnholdModel> self(this);
    m_record->load();
    co_await m_updates->check(false);
    if (!self)
        co_return;
    co_await m_updates->adoptKnownLocalReleaseIfPossible();
    if (!self)
        co_return;
    co_await m_maps->refreshMapLibrary();
    if (!self)
        co_return;
    refreshComponents();
    const bool ready = isReady();
    m_operation->setActivity(ready ? QStringLiteral("Ready") : QStringLiteral("Installation required"));
    m_setup->reflectInstallation(ready);
}

void TarnholdModel::startRefresh()
{
    [](QPointer<TarnholdModel> self) -> QCoro::Task<> {
        try {
            co_await self->refresh();
        } catch (const std::exception &error) {
            if (self)
                self->m_operation->setErrorMessage(QStringLiteral("Tarnhold could not read the installation: ")
                                                   + QString::fromLocal8Bit(error.what()));
        }
    }(this);
}

void TarnholdModel::refreshComponents()
{
    const InstalledState state = m_record->state();
    ComponentFacts facts;
    facts.runtimePresent = runtimeURL(state).has_value();
    const std::optional<QString> prefix = prefixURL(state);
    facts.gameFilesPresent =
        prefix && fileExists(QDir(Locations::gameFolder(*prefix)).filePath(QStringLiteral("Generals.exe")));
    const std::optional<QString> launcher = launcherURL(state);
    facts.launcherPresent = launcher && fileExists(*launcher);
    facts.hasUpdate = hasUpdate();
    facts.mapCount = m_maps->bundledMapCount();
    QList<ComponentHealth> components = componentRows(facts, state);
    if (components == m_components)
        return;
    m_components = std::move(components);
    Q_EMIT componentsChanged();
}
