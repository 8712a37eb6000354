// The update channel: reading the release manifest, and recognising a
// release archive the user downloaded by hand.
#include "app/TarnholdModel.h"
#include "base/Locations.h"
#include "client/UpdateChannel.h"
#include "content/Sha256.h"
#include "content/TransferErrors.h"

#include <QCoroFuture>
#include <QDateTime>
#include <QDir>
#include <QPointer>

namespace {

// Record dates count seconds from 2001-01-01 00:00:00 UTC.
constexpr double referenceDateOffset = 978307200.0;

double secondsSinceReferenceDate()
{
    return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0 - referenceDateOffset;
}

} // namespace

QCoro::Task<> TarnholdModel::checkForUpdates(bool showActivity)
{
    const QPointer<TarnholdModel> self(this);
    if (showActivity) {
        setIsBusy(true);
        setActivity(QStringLiteral("Checking the official update channel…"));
    }
    std::optional<QString> failure;
    // Every caller runs this detached, so nothing may escape.
    try {
        const std::optional<HttpResponse> response =
            co_await send(QNetworkRequest(manifestURL(m_catalog.updateChannel)));
        if (!response || response->status != 200)
            throw BadServerResponseError();
        const ReleaseManifest manifest = decodeReleaseManifest(response->body);
        assign(m_release, std::optional(manifest), &TarnholdModel::releaseChanged);
        InstalledState state = m_state;
        state.lastCheckedAt = secondsSinceReferenceDate();
        setState(state);
        saveState();
        refreshComponents();
    } catch (const UserFacingError &error) {
        failure = error.description();
    } catch (...) {
        failure = QStringLiteral("Tarnhold ran into an unexpected error.");
    }
    if (!self || !showActivity)
        co_return;
    if (failure)
        setErrorMessage(QStringLiteral("Could not check for updates: ") + *failure);
    setIsBusy(false);
}

QCoro::Task<> TarnholdModel::adoptKnownLocalReleaseIfPossible()
{
    const std::optional<QString> launcher = launcherURL();
    if (!runtimeURL() || !launcher || !fileExists(*launcher) || m_state.velmoraVersion || !m_release)
        co_return;
    const ReleaseManifest release = *m_release;
    const QString archive =
        QDir(Locations::homeFolder())
            .filePath(QStringLiteral("Downloads/Velmora_portable_") + release.version + QStringLiteral(".zip"));
    const QPointer<TarnholdModel> self(this);
    const std::optional<QString> digest = co_await fileSha256InBackground(archive);
    if (!self || !digest || digest->compare(release.sha256, Qt::CaseInsensitive) != 0)
        co_return;
    InstalledState state = m_state;
    state.velmoraVersion = release.version;
    setState(state);
    saveState();
}
