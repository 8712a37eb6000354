#pragma once

#include "app/AppSection.h"
#include "app/ComponentHealth.h"
#include "base/Catalog.h"
#include "base/InstalledState.h"
#include "base/Timing.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QUrl>

#include <memory>
#include <optional>

class CommunityContent;
class GameLauncher;
class HttpClient;
class InstallationLifecycle;
class InstallationLock;
class InstallationRecord;
class MapImporter;
class MapLibrary;
class OnlineClientInstaller;
class OperationState;
class Platform;
class SetupFlow;
class SteamDownload;
class UpdateChannel;

// The composition root the window, the command line and the tests hold. It
// owns the services, the state of the running operation and one controller
// per subsystem, and keeps what belongs to no single subsystem: the
// selected section, the component list, the derived status and URL routing.
// It lives on the GUI thread.
class TarnholdModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TarnholdModel)

    Q_PROPERTY(AppSection selectedSection READ selectedSection WRITE setSelectedSection NOTIFY selectedSectionChanged)
    Q_PROPERTY(QList<ComponentHealth> components READ components NOTIFY componentsChanged)

public:
    explicit TarnholdModel(std::unique_ptr<Platform> platform, Catalog catalog = {}, Timing timing = {},
                           QObject *parent = nullptr);
    ~TarnholdModel() override;

    Platform &platform() const { return *m_platform; }
    OperationState &operation() const { return *m_operation; }
    InstallationRecord &record() const { return *m_record; }
    UpdateChannel &updates() const { return *m_updates; }
    MapLibrary &maps() const { return *m_maps; }
    MapImporter &mapImporter() const { return *m_mapImporter; }
    SetupFlow &setup() const { return *m_setup; }
    SteamDownload &steam() const { return *m_steam; }
    CommunityContent &community() const { return *m_community; }
    GameLauncher &launcher() const { return *m_launcher; }
    InstallationLifecycle &lifecycle() const { return *m_lifecycle; }

    AppSection selectedSection() const { return m_selectedSection; }
    void setSelectedSection(AppSection section);
    QList<ComponentHealth> components() const { return m_components; }

    // Derived from the record, the release and the disk on each read;
    // statusChanged announces that any of them may read differently.
    bool isReady() const;
    bool hasUpdate() const;
    QString statusTitle() const;

    // Reloads the record, checks the update channel silently, adopts a
    // release downloaded by hand, rebuilds the component list and the map
    // library. Reports nothing; throws only what it cannot recover from,
    // such as running out of memory.
    QCoro::Task<> refresh();
    // Runs refresh() detached, as the window and URLs do.
    void startRefresh();
    void refreshComponents();

    // Acts on a "tarnhold:" URL opened by another program or a second start.
    void handle(const QUrl &url);

Q_SIGNALS:
    void selectedSectionChanged();
    void componentsChanged();
    void statusChanged();
    // A URL asked to bring Tarnhold to the front.
    void activationRequested();

private:
    std::unique_ptr<Platform> m_platform;
    const Catalog m_catalog;
    // Declared before the controllers: members are destroyed in reverse, so
    // every controller goes while the services it was given still exist.
    // Later work resumes from the event loop and finds the model gone.
    std::unique_ptr<InstallationLock> m_lock;
    std::unique_ptr<OperationState> m_operation;
    std::unique_ptr<InstallationRecord> m_record;
    std::unique_ptr<HttpClient> m_http;
    std::unique_ptr<UpdateChannel> m_updates;
    std::unique_ptr<MapLibrary> m_maps;
    std::unique_ptr<MapImporter> m_mapImporter;
    std::unique_ptr<SteamDownload> m_steam;
    std::unique_ptr<OnlineClientInstaller> m_client;
    std::unique_ptr<CommunityContent> m_community;
    std::unique_ptr<GameLauncher> m_launcher;
    std::unique_ptr<SetupFlow> m_setup;
    std::unique_ptr<InstallationLifecycle> m_lifecycle;

    AppSection m_selectedSection = AppSection::home;
    QList<ComponentHealth> m_components;
};
