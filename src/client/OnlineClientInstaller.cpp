#include "client/OnlineClientInstaller.h"

#include "base/FileChanges.h"
#include "base/InstallationRecord.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "client/AntiCheatInstallation.h"
#include "client/UpdateChannel.h"
#include "content/HttpClient.h"
#include "content/PortableUserData.h"
#include "content/TransferErrors.h"
#include "content/ZipUnpacking.h"
#include "maps/MapFolders.h"
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

QString uniqueFolder(const QString &prefix)
{
    return QDir(Locations::downloadsFolder())
        .filePath(prefix + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
}

} // namespace

OnlineClientInstaller::OnlineClientInstaller(Services services, OperationState &operation, UpdateChannel &updates,
                                             QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_operation(operation)
    , m_updates(updates)
{}

OnlineClientInstaller::~OnlineClientInstaller() = default;

QCoro::Task<> OnlineClientInstaller::installLatestPatch(QString runtime, QString prefix, QString game, double lower,
                                                        double upper)
{
    const QPointer<OnlineClientInstaller> self(this);
    const auto advance = [this, lower, upper](double fraction) { m_operation.advance(lower, upper, fraction); };
    const auto ensureAlive = [&self] {
        if (!self)
            throw CancelledError();
    };
    m_operation.setInstallerPhase(InstallerPhase::onlineClient);
    m_operation.setActivity(QStringLiteral("Reading the official Velmora manifest…"));
    advance(0.08);
    const ReleaseManifest release = co_await m_updates.releaseToInstall();
    ensureAlive();
    const QUrl source(release.downloadURL, QUrl::StrictMode);
    if (!source.isValid() || source.scheme().isEmpty())
        throw UserFacingError(
            QStringLiteral("The Velmora download address “%1” is not valid.").arg(release.downloadURL));

    // The version names the kept archive: a separator in it would place the
    // file somewhere else.
    const QString archiveName = QStringLiteral("Velmora_%1.zip").arg(release.version);
    if (archiveName.contains(u'/') || archiveName.contains(QChar()))
        throw UserFacingError(
            QStringLiteral("The release manifest’s version “%1” cannot be used in a file name.").arg(release.version));

    m_operation.setActivity(QStringLiteral("Downloading Velmora %1…").arg(release.version));
    advance(0.2);
    const QString downloads = Locations::downloadsFolder();
    makeFolder(downloads);
    const QString archive = QDir(downloads).filePath(archiveName);
    // The download fills the stretch up to the checks.
    co_await m_services.http.downloadVerifiedFile(
        QNetworkRequest(source), archive, release.size, release.sha256,
        [advance, size = release.size](qint64 received) { advance(0.2 + 0.34 * double(received) / double(size)); });
    ensureAlive();
    advance(0.54);

    const QString staging = uniqueFolder(QStringLiteral("staging-"));
    makeFolder(staging);
    const auto removeStaging = qScopeGuard([staging] { removeQuietly(staging); });
    m_operation.setActivity(QStringLiteral("Verifying and installing the online client…"));
    advance(0.68);
    const QString client = co_await unpackClient(archive, staging);
    ensureAlive();

    const QString setAside = uniqueFolder(QStringLiteral("portable-user-data-"));
    makeFolder(setAside);
    const auto removeSetAside = qScopeGuard([setAside] { removeQuietly(setAside); });
    for (const QString &name : portableUserDataDirectories) {
        const QString folder = QDir(client).filePath(name);
        if (QFileInfo::exists(folder) && !QDir().rename(folder, QDir(setAside).filePath(name)))
            throw UserFacingError(QStringLiteral("Tarnhold could not set aside the client’s “%1” folder.").arg(name));
    }
    makeFolder(game);
    const ToolCommand copy = m_services.platform.copyTreeCommand(client, game);
    co_await ProcessRunner::run(copy.program, copy.arguments);
    ensureAlive();
    storeOfficialPortableUserData(setAside);
    removeLegacyPortableUserData(game);

    m_operation.setActivity(QStringLiteral("Installing Easy Anti-Cheat…"));
    advance(0.9);
    co_await installEAC(runtime, prefix, game, m_services.catalog.antiCheat);
    ensureAlive();

    InstalledState state = m_services.record.state();
    state.velmoraVersion = release.version;
    state.lastCheckedAt = recordDateNow();
    m_services.record.setState(state);
    m_services.record.save();
    advance(1.0);
    m_operation.setActivity(QStringLiteral("Online client installed"));
}

QCoro::Task<QString> OnlineClientInstaller::unpackClient(QString archive, QString staging)
{
    co_await unpackZipInside(m_services.platform, archive, staging);
    // The walk's length is the archive's to decide, so it runs off the GUI thread.
    QFuture<std::optional<QString>> search =
        QtConcurrent::run(&findFile, QStringLiteral("EAC_LaunchVelmora.exe"), staging);
    const std::optional<QString> launcher = co_await search;
    if (!launcher)
        throw CorruptFileError();
    co_return QFileInfo(*launcher).absolutePath();
}
