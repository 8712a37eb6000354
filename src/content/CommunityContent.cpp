#include "content/CommunityContent.h"

#include "base/BackgroundWork.h"
#include "base/DetachedOperation.h"
#include "base/FileChanges.h"
#include "base/InstallationRecord.h"
#include "base/InstalledLocations.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "content/ControlBar.h"
#include "content/InstalledWine.h"
#include "content/MapProfile.h"
#include "content/PortableUserData.h"
#include "content/RankedMapRelease.h"
#include "content/RankedMaps.h"
#include "content/ThreePlayerMaps.h"
#include "content/TransferErrors.h"
#include "maps/MapCache.h"

#include <QCoroFuture>
#include <QDir>
#include <QPointer>

namespace {

const QString quitFirst = QStringLiteral("Quit Velmora before changing its interface or maps.");

// Everything the installation's file work reads, copied so that it can run
// off the GUI thread while the window keeps answering.
struct ProfileSources
{
    Platform *platform;
    QString rankedMaps;
    QStringList extraMaps;
    PreparedControlBar controlBar;
    QString game;
};

struct InstalledProfile
{
    QStringList mapNames;
    qint64 rankedMapCount;
};

InstalledProfile installProfileFiles(const ProfileSources &sources)
{
    trashManagedMaps(*sources.platform);
    removeMapCache();
    const QStringList mapSources = QStringList{sources.rankedMaps, Locations::officialMapsFolder()} + sources.extraMaps;
    const QStringList names = installClientMaps(*sources.platform, mapSources);
    configureOfficialCommunityDataPatch();
    installPreparedControlBar(sources.controlBar, sources.game);
    return {names, countMapFolders(sources.rankedMaps).value_or(0)};
}

} // namespace

CommunityContent::CommunityContent(Services services, OperationState &operation, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_operation(operation)
    , m_rankedMaps(new RankedMaps(services, this))
    , m_threePlayerMaps(new ThreePlayerMaps(services, operation, this))
{}

CommunityContent::~CommunityContent() = default;

void CommunityContent::setResolution(const QString &resolution)
{
    if (resolution == m_resolution)
        return;
    m_resolution = resolution;
    Q_EMIT resolutionChanged();
}

void CommunityContent::installCommunityContent()
{
    // The window offers no command while another runs; a URL may still ask.
    if (m_operation.isBusy())
        return;
    if (m_operation.isGameRunning()) {
        m_operation.setErrorMessage(quitFirst);
        return;
    }
    const std::optional<QString> prefix = prefixURL(m_services.record.state());
    const QString game = prefix ? Locations::gameFolder(*prefix) : QString();
    if (!prefix || !fileExists(QDir(game).filePath(QStringLiteral("Generals.exe")))) {
        m_operation.setErrorMessage(
            QStringLiteral("Install the original game before restoring its multiplayer profile."));
        return;
    }
    startDetached(this, m_operation, &CommunityContent::restoreProfile, game);
}

QCoro::Task<> CommunityContent::restoreProfile(QString game)
{
    const QPointer<CommunityContent> self(this);
    if (!m_operation.begin(InstallerPhase::community, 0.05,
                           QStringLiteral("Restoring the official multiplayer profile…")))
        co_return;
    // A game another Tarnhold started, which isGameRunning does not know of.
    if (const std::optional<WineSupervisor> wine = installedWine(m_services)) {
        const bool gameRunning = co_await wine->gameClientIsRunning();
        if (!self)
            co_return;
        if (gameRunning) {
            m_operation.setErrorMessage(quitFirst);
            m_operation.end();
            co_return;
        }
    }
    try {
        co_await installCommunityContent(game, 0.05, 0.98);
    } catch (const UserFacingError &error) {
        if (self)
            m_operation.fail(QStringLiteral("Multiplayer profile repair failed: "), error);
        co_return;
    }
    if (!self)
        co_return;
    m_operation.setInstallerPhase(InstallerPhase::complete);
    m_operation.finish(QStringLiteral("Multiplayer profile restored"),
                       QStringLiteral("The official Community Data Patch, current ranked maps, Control Bar Pro and "
                                      "GenTool are installed. Generated map data will refresh on the next launch."));
}

QCoro::Task<> CommunityContent::installCommunityContent(QString game, double lower, double upper)
{
    const QPointer<CommunityContent> self(this);
    m_operation.setInstallerPhase(InstallerPhase::community);
    m_operation.setActivity(QStringLiteral("Downloading the current ranked map release…"));
    m_operation.advance(lower, upper, 0.08);
    migrateLegacyPortableUserData(game);
    const QString ranked = co_await m_rankedMaps->prepareLatestRankedMaps();
    if (!self)
        throw CancelledError();
    m_operation.advance(lower, upper, 0.34);

    QStringList extra;
    if (m_services.record.state().includeCommunityThreePlayerMaps.value_or(false)) {
        m_operation.setActivity(QStringLiteral("Downloading verified three-player maps…"));
        extra.append(co_await m_threePlayerMaps->preparePlainThreePlayerMaps());
        if (!self)
            throw CancelledError();
    }

    m_operation.advance(lower, upper, 0.58);
    m_operation.setActivity(QStringLiteral("Downloading Control Bar Pro and GenTool…"));
    const PreparedControlBar controlBar = co_await prepareControlBar(m_services, m_resolution);
    if (!self)
        throw CancelledError();

    m_operation.setActivity(QStringLiteral("Installing maps and the high-resolution interface…"));
    m_operation.advance(lower, upper, 0.82);
    const ProfileSources sources{&m_services.platform, ranked, extra, controlBar, game};
    const InstalledProfile installed = (co_await runInBackground(&installProfileFiles, sources)).take();
    if (!self)
        throw CancelledError();

    InstalledState state = m_services.record.state();
    state.controlBarVersion = QStringLiteral("1.2");
    state.controlBarRevision = controlBar.package.sha256;
    state.controlBarResolution = controlBar.package.resolution;
    state.genToolVersion = QStringLiteral("8.9");
    state.rankedMapCount = installed.rankedMapCount;
    state.lastCheckedAt = recordDateNow();
    m_services.record.setState(state);
    m_services.record.save();
    m_operation.advance(lower, upper, 1.0);
    m_operation.setActivity(QStringLiteral("Installed %1 maps and Control Bar Pro").arg(installed.mapNames.size()));
}
