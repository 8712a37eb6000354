#include "client/UpdateChannel.h"

#include "base/InstallationRecord.h"
#include "base/InstalledLocations.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "content/HttpClient.h"
#include "content/Sha256.h"
#include "content/TransferErrors.h"

#include <QCoroFuture>
#include <QDir>
#include <QPointer>

#include <utility>

UpdateChannel::UpdateChannel(Services services, OperationState &operation, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_operation(operation)
{}

UpdateChannel::~UpdateChannel() = default;

void UpdateChannel::checkForUpdates()
{
    check(true);
}

QCoro::Task<> UpdateChannel::check(bool showActivity)
{
    const QPointer<UpdateChannel> self(this);
    // A check must not end the busy spell of an operation it did not start.
    const bool ownsActivity = showActivity && !m_operation.isBusy();
    if (ownsActivity && !m_operation.begin(QStringLiteral("Checking the official update channel…")))
        co_return;
    std::optional<QString> failure;
    try {
        const QNetworkRequest request(manifestURL(m_services.catalog.updateChannel));
        const std::optional<HttpResponse> response = co_await m_services.http.send(request);
        if (!response || response->status != 200)
            throw BadServerResponseError();
        if (self)
            recordCheck(decodeReleaseManifest(response->body));
    } catch (const UserFacingError &error) {
        failure = error.description();
    } catch (...) {
        failure = QStringLiteral("Tarnhold ran into an unexpected error.");
    }
    if (!self)
        co_return;
    if (failure && showActivity)
        m_operation.setErrorMessage(QStringLiteral("Could not check for updates: ") + *failure);
    if (ownsActivity)
        m_operation.end();
}

QCoro::Task<ReleaseManifest> UpdateChannel::releaseToInstall()
{
    // As const: QCoro moves from any other lvalue it is given, which would
    // empty the release the channel keeps.
    if (m_release)
        co_return std::as_const(*m_release);
    const QPointer<UpdateChannel> self(this);
    const std::optional<HttpResponse> response =
        co_await m_services.http.send(QNetworkRequest(manifestURL(m_services.catalog.updateChannel)));
    if (!response)
        throw BadServerResponseError();
    // Whatever the status, only a body that is a manifest is accepted.
    const ReleaseManifest release = decodeReleaseManifest(response->body);
    if (self)
        setRelease(release);
    co_return release;
}

void UpdateChannel::setRelease(const ReleaseManifest &release)
{
    if (m_release == release)
        return;
    m_release = release;
    Q_EMIT releaseChanged();
}

void UpdateChannel::recordCheck(const ReleaseManifest &release)
{
    setRelease(release);
    InstalledState state = m_services.record.state();
    state.lastCheckedAt = recordDateNow();
    m_services.record.setState(state);
    m_services.record.save();
}

QCoro::Task<> UpdateChannel::adoptKnownLocalReleaseIfPossible()
{
    const InstalledState state = m_services.record.state();
    if (!isReady(state) || state.velmoraVersion || !m_release)
        co_return;
    const ReleaseManifest release = *m_release;
    const QString archive =
        QDir(Locations::homeFolder())
            .filePath(QStringLiteral("Downloads/Velmora_portable_") + release.version + QStringLiteral(".zip"));
    const QPointer<UpdateChannel> self(this);
    std::optional<QString> digest;
    try {
        digest = co_await fileSha256InBackground(archive);
    } catch (...) {
        co_return;
    }
    if (!self || !digest || digest->compare(release.sha256, Qt::CaseInsensitive) != 0)
        co_return;
    InstalledState adopted = m_services.record.state();
    adopted.velmoraVersion = release.version;
    m_services.record.setState(adopted);
    m_services.record.save();
}
