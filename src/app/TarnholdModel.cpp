#include "app/TarnholdModel.h"

#include "base/Locations.h"
#include "app/Status.h"
#include "base/UserFacingError.h"
#include "content/HttpClient.h"

#include <algorithm>

TarnholdModel::TarnholdModel(std::unique_ptr<Platform> platform, Catalog catalog, Timing timing, QObject *parent)
    : QObject(parent)
    , m_platform(std::move(platform))
    , m_catalog(std::move(catalog))
    , m_timing(timing)
    , m_network(new HttpClient(m_timing.transferTimeout, this))
{}

TarnholdModel::~TarnholdModel() = default;

void TarnholdModel::setSelectedSection(AppSection section)
{
    assign(m_selectedSection, section, &TarnholdModel::selectedSectionChanged);
}

void TarnholdModel::setSteamAccount(const QString &account)
{
    assign(m_steamAccount, account, &TarnholdModel::steamAccountChanged);
}

void TarnholdModel::setResolution(const QString &resolution)
{
    assign(m_resolution, resolution, &TarnholdModel::resolutionChanged);
}

void TarnholdModel::setErrorMessage(const std::optional<QString> &message)
{
    assign(m_errorMessage, message, &TarnholdModel::errorMessageChanged);
}

void TarnholdModel::setNoticeMessage(const std::optional<QString> &message)
{
    assign(m_noticeMessage, message, &TarnholdModel::noticeMessageChanged);
}

bool TarnholdModel::isReady() const
{
    if (!runtimeURL())
        return false;
    const std::optional<QString> launcher = launcherURL();
    return launcher && fileExists(*launcher);
}

bool TarnholdModel::hasUpdate() const
{
    return ::hasUpdate(m_release, m_state);
}

QString TarnholdModel::statusTitle() const
{
    // Readiness looks at the disk, so it is only asked when it can decide.
    const bool decided = m_isGameRunning || m_isBusy;
    const bool ready = !decided && isReady();
    return ::statusTitle({m_isGameRunning, m_isBusy, m_activity, ready, ready && hasUpdate()});
}

void TarnholdModel::beginOperation(InstallerPhase phase, double startProgress, const QString &activity)
{
    setIsBusy(true);
    setInstallerPhase(phase);
    setProgress(startProgress);
    setActivity(activity);
}

void TarnholdModel::advance(double lower, double upper, double fraction)
{
    setProgress(std::max(m_progress, lower + (upper - lower) * fraction));
}

void TarnholdModel::finishOperation(const QString &activity, const std::optional<QString> &notice)
{
    setProgress(1.0);
    setActivity(activity);
    if (notice)
        setNoticeMessage(notice);
    setIsBusy(false);
}

void TarnholdModel::failOperation(const QString &prefix, const UserFacingError &error)
{
    setErrorMessage(prefix + error.description());
    setIsBusy(false);
}
