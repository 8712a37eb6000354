#include "content/RankedMaps.h"

#include "base/FileChanges.h"
#include "base/InstallationRecord.h"
#include "base/Locations.h"
#include "content/HttpClient.h"
#include "content/RankedMapRelease.h"
#include "content/TransferErrors.h"
#include "content/UserAgent.h"
#include "content/ZipUnpacking.h"
#include "platform/Platform.h"
#include "process/ProcessRunner.h"

#include <QCoroFuture>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QScopeGuard>
#include <QUuid>
#include <QtConcurrentRun>

namespace {

// A complete cache holds at least the smallest ranked pool ever released.
constexpr qint64 minimumMapCount = 8;

const QString repository = QStringLiteral("TheSuperHackers/GeneralsRankedMaps");

QString cacheFolder(const QString &commit)
{
    return QDir(Locations::rankedMapsFolder()).filePath(commit);
}

QString archiveFile(const QString &commit)
{
    return QDir(Locations::communityDownloadsFolder())
        .filePath(QStringLiteral("TheSuperHackers-GeneralsRankedMaps-%1.zip").arg(commit));
}

class UnreadableFolderError final : public UserFacingError
{
public:
    explicit UnreadableFolderError(const QString &folder)
        : UserFacingError(QStringLiteral("Tarnhold could not read the folder “%1”.").arg(folder))
    {}
};

} // namespace

RankedMaps::RankedMaps(Services services, QObject *parent)
    : QObject(parent)
    , m_services(services)
{}

RankedMaps::~RankedMaps() = default;

QCoro::Task<QString> RankedMaps::prepareLatestRankedMaps()
{
    const QPointer<RankedMaps> self(this);
    QNetworkRequest query(
        QUrl(m_services.catalog.gitHubAPI.toString() + QStringLiteral("/repos/%1/commits/main").arg(repository)));
    query.setTransferTimeout(static_cast<int>(m_services.timing.gitHubQueryTimeout.count()));
    query.setHeader(QNetworkRequest::UserAgentHeader, userAgent);
    // GitHub limits unauthenticated queries hard, so a refusal is reported
    // at once rather than waited out.
    const std::optional<HttpResponse> answer = co_await m_services.http.send(query);
    if (!self)
        throw CancelledError();
    if (!answer || answer->status != 200)
        throw BadServerResponseError();
    const QString commit = decodeGitHubCommit(answer->body);

    // A cache of a few hundred map folders is walked off the GUI thread.
    const std::optional<qint64> cached = co_await QtConcurrent::run(&countMapFolders, cacheFolder(commit));
    if (!self)
        throw CancelledError();
    if (cached.value_or(0) >= minimumMapCount) {
        recordCache(commit, *cached);
        co_return cacheFolder(commit);
    }
    const QString archive = co_await keptArchive(commit);
    if (!self)
        throw CancelledError();
    co_return co_await prepareCache(archive, commit);
}

std::optional<QString> RankedMaps::cachedRankedMapsURL() const
{
    return cachedRankedMaps(m_services.record.state().rankedMapsRevision);
}

std::optional<QString> cachedRankedMaps(const std::optional<QString> &revision)
{
    if (!revision)
        return std::nullopt;
    const QString cache = cacheFolder(*revision);
    if (countMapFolders(cache).value_or(0) < minimumMapCount)
        return std::nullopt;
    return cache;
}

QCoro::Task<QString> RankedMaps::keptArchive(QString commit)
{
    makeFolder(Locations::communityDownloadsFolder());
    const QString archive = archiveFile(commit);
    if (QFileInfo(archive).isFile())
        co_return archive;
    const QUrl address(m_services.catalog.gitHubWeb.toString()
                       + QStringLiteral("/%1/archive/%2.zip").arg(repository, commit));
    const std::optional<HttpResponse> download = co_await m_services.http.send(QNetworkRequest(address));
    if (!download || download->status != 200)
        throw BadServerResponseError();
    replaceFile(archive, download->body);
    co_return archive;
}

QCoro::Task<QString> RankedMaps::prepareCache(QString archive, QString commit)
{
    const QPointer<RankedMaps> self(this);
    const QString extraction =
        QDir(Locations::communityDownloadsFolder())
            .filePath(QStringLiteral("ranked-maps-") + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    makeFolder(extraction);
    const auto removeExtraction = qScopeGuard([extraction] { removeQuietly(extraction); });

    co_await unpackZipInside(m_services.platform, archive, extraction);
    if (!self)
        throw CancelledError();

    const std::optional<QString> release =
        co_await QtConcurrent::run(&findDirectory, QStringLiteral("release"), extraction);
    if (!release)
        throw CorruptFileError();
    const std::optional<QStringList> maps = co_await QtConcurrent::run(&selectRankedMaps, *release);
    if (!self)
        throw CancelledError();
    if (!maps)
        throw UnreadableFolderError(*release);

    const QString cache = cacheFolder(commit);
    if (QFileInfo::exists(cache) || QFileInfo(cache).isSymLink())
        removeItem(cache);
    makeFolder(cache);
    // The names are distinct, so one copy run takes them all.
    if (!maps->isEmpty()) {
        const ToolCommand copy = m_services.platform.copyFoldersIntoCommand(*maps, cache);
        co_await ProcessRunner::run(copy.program, copy.arguments);
        if (!self)
            throw CancelledError();
    }

    const std::optional<qint64> count = co_await QtConcurrent::run(&countMapFolders, cache);
    if (!self)
        throw CancelledError();
    if (!count)
        throw UnreadableFolderError(cache);
    if (*count < minimumMapCount)
        throw CorruptFileError();
    recordCache(commit, *count);
    co_return cache;
}

void RankedMaps::recordCache(const QString &commit, qint64 count)
{
    InstalledState state = m_services.record.state();
    state.rankedMapsRevision = commit;
    state.rankedMapCount = count;
    m_services.record.setState(state);
}
