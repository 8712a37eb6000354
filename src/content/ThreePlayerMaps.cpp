#include "content/ThreePlayerMaps.h"

#include "base/FileChanges.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "base/SmallFile.h"
#include "content/CncLabsLink.h"
#include "content/HttpClient.h"
#include "content/Sha256.h"
#include "content/TransferErrors.h"
#include "content/UserAgent.h"
#include "content/ZipUnpacking.h"
#include "maps/MapFolders.h"
#include "platform/Platform.h"
#include "process/ProcessRunner.h"

#include <QCoroFuture>
#include <QCoroTimer>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QUuid>
#include <QtConcurrentRun>

#include <algorithm>

namespace {

// Far above any map archive, far below what memory holds.
constexpr qint64 archiveSizeLimit = qint64{1} << 28;

QNetworkRequest siteRequest(const QUrl &address)
{
    QNetworkRequest request(address);
    request.setRawHeader(QByteArrayLiteral("User-Agent"), userAgent);
    return request;
}

QString keptArchive(int itemID)
{
    return QDir(Locations::threePlayerArchiveFolder()).filePath(QStringLiteral("%1.zip").arg(itemID));
}

// Both walks run off the GUI thread: how deep they go is the archive's to decide.
QFuture<std::optional<QString>> findInBackground(const QString &name, const QString &root)
{
    return QtConcurrent::run(&findFile, name, root);
}

} // namespace

ThreePlayerMaps::ThreePlayerMaps(Services services, OperationState &operation, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_operation(operation)
{}

QCoro::Task<QString> ThreePlayerMaps::preparePlainThreePlayerMaps()
{
    const QPointer<ThreePlayerMaps> self(this);
    const QString prepared = Locations::threePlayerMapsFolder();
    const QList<ThreePlayerMapPackage> packages = m_services.catalog.threePlayerMaps;
    if (plainThreePlayerMapsAreComplete(prepared, packages))
        co_return prepared;

    const QString staging = QDir(Locations::threePlayerArchiveFolder())
                                .filePath(QStringLiteral("plain-three-player-")
                                          + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    const QString stagedMaps = QDir(staging).filePath(QStringLiteral("Maps"));
    makeFolder(stagedMaps);
    const auto removeStaging = qScopeGuard([staging] { removeQuietly(staging); });

    for (qsizetype i = 0; i < packages.size(); ++i) {
        const ThreePlayerMapPackage &package = packages[i];
        m_operation.setActivity(QStringLiteral("Downloading three-player map %1 of %2: %3…")
                                    .arg(i + 1)
                                    .arg(packages.size())
                                    .arg(package.mapName));
        const QString archive = keptArchive(package.itemID);
        co_await downloadPlainThreePlayerArchive(package, archive);
        if (!self)
            throw CancelledError();
        co_await stageMap(package, archive, staging, stagedMaps);
        if (!self)
            throw CancelledError();
    }
    if (!plainThreePlayerMapsAreComplete(stagedMaps, packages))
        throw CorruptFileError();

    if (QFileInfo::exists(prepared) || QFileInfo(prepared).isSymLink())
        removeItem(prepared);
    makeFolder(QFileInfo(prepared).absolutePath());
    moveItem(stagedMaps, prepared);
    co_return prepared;
}

QCoro::Task<QByteArray> ThreePlayerMaps::downloadPlainThreePlayerArchive(ThreePlayerMapPackage package,
                                                                         QString cachedAt)
{
    const QPointer<ThreePlayerMaps> self(this);
    const auto ensureAlive = [&self] {
        if (!self)
            throw CancelledError();
    };
    if (const std::optional<QByteArray> kept = readSmallFile(cachedAt, archiveSizeLimit)) {
        if (co_await sha256InBackground(*kept) == package.sha256)
            co_return *kept;
        ensureAlive();
    }

    co_await QCoro::sleepFor(m_services.timing.cncLabsPause);
    ensureAlive();
    const QUrl details = cnclabsDetailsURL(m_services.catalog.cncLabsSite, package.itemID);
    const HttpResponse page = co_await m_services.http.requestData(siteRequest(details));
    ensureAlive();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString html = utf8.decode(page.body);
    if (utf8.hasError())
        throw CorruptFileError();
    const std::optional<QUrl> fileAddress = cnclabsDownloadURL(m_services.catalog.cncLabsSite, package.itemID, html);
    if (!fileAddress)
        throw CorruptFileError();

    QNetworkRequest fileRequest = siteRequest(*fileAddress);
    fileRequest.setRawHeader(QByteArrayLiteral("Referer"), details.toString().toUtf8());
    const HttpResponse file = co_await m_services.http.requestData(fileRequest);
    if (co_await sha256InBackground(file.body) != package.sha256)
        throw CorruptFileError();
    makeFolder(QFileInfo(cachedAt).absolutePath());
    replaceFile(cachedAt, file.body);
    co_return file.body;
}

QCoro::Task<> ThreePlayerMaps::stageMap(ThreePlayerMapPackage package, QString archive, QString staging,
                                        QString stagedMaps)
{
    const QString unpacked = QDir(staging).filePath(QStringLiteral("item-%1").arg(package.itemID));
    const QString copy = QDir(stagedMaps).filePath(package.mapName);
    // Nothing of this controller's is touched after the first wait, as it may
    // be gone by then; the platform belongs to the model and outlives it.
    const Platform &platform = m_services.platform;
    makeFolder(unpacked);
    // The digest is pinned, yet nothing unpacks outside the staging folder.
    co_await unpackZipInside(platform, archive, unpacked);

    const std::optional<QString> mapFile =
        co_await findInBackground(package.mapName + QStringLiteral(".map"), unpacked);
    if (!mapFile)
        throw CorruptFileError();
    const QString mapFolder = QFileInfo(*mapFile).absolutePath();
    // A map with its own "map.ini" changes the game's rules: not plain.
    if (co_await findInBackground(QStringLiteral("map.ini"), mapFolder))
        throw CorruptFileError();
    makeFolder(copy);
    const ToolCommand copyTree = platform.copyTreeCommand(mapFolder, copy);
    co_await ProcessRunner::run(copyTree.program, copyTree.arguments);
}

std::optional<QString> ThreePlayerMaps::cachedPlainThreePlayerMapsURL() const
{
    const QString prepared = Locations::threePlayerMapsFolder();
    if (!plainThreePlayerMapsAreComplete(prepared, m_services.catalog.threePlayerMaps))
        return std::nullopt;
    return prepared;
}

bool plainThreePlayerMapsAreComplete(const QString &folder, const QList<ThreePlayerMapPackage> &packages)
{
    const QList<MapFolderSurvey> maps = surveyMapFolders(folder);
    if (maps.size() != packages.size())
        return false;
    return std::ranges::all_of(packages, [&maps](const ThreePlayerMapPackage &package) {
        return std::ranges::any_of(maps, [&package](const MapFolderSurvey &map) {
            return map.folder.fileName() == package.mapName && !map.containsINI;
        });
    });
}
