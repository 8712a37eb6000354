// The third setup step: Valve's SteamCMD, downloaded and unpacked into the
// support folder. It is fetched again on every run; it updates itself later.
#include "base/FileChanges.h"
#include "base/OperationState.h"
#include "content/HttpClient.h"
#include "content/TransferErrors.h"
#include "platform/Platform.h"
#include "process/ProcessRunner.h"
#include "setup/SetupFlow.h"
#include "setup/SteamCmdCommand.h"

#include <QDir>
#include <QPointer>

namespace {

QUrl steamCmdArchiveURL(const QUrl &site, const QString &archiveName)
{
    QUrl url = site;
    QString path = site.path();
    while (path.endsWith(u'/'))
        path.chop(1);
    url.setPath(path + QStringLiteral("/client/installer/") + archiveName);
    return url;
}

} // namespace

QCoro::Task<> SetupFlow::prepareSteamCMD()
{
    const QPointer<SetupFlow> self(this);
    Platform &platform = m_services.platform;
    const QString folder = SteamCmdCommand::folder();
    const QString archive = QDir(folder).filePath(platform.steamCmdArchiveName());
    if (!m_operation.begin(InstallerPhase::preparing, 0.12, QStringLiteral("Downloading Valve SteamCMD…")))
        co_return;
    try {
        makeFolder(folder);
        const QNetworkRequest request(
            steamCmdArchiveURL(m_services.catalog.steamCmdSite, platform.steamCmdArchiveName()));
        const std::optional<HttpResponse> response = co_await m_services.http.send(request);
        if (!self)
            co_return;
        if (!response || response->status != 200)
            throw BadServerResponseError();
        // Kept after unpacking, beside what it unpacked.
        replaceFile(archive, response->body);
        m_operation.advance(0.0, 1.0, 0.72);
        m_operation.setActivity(QStringLiteral("Preparing SteamCMD…"));
        const ToolCommand unpack = platform.untarCommand(archive, folder);
        co_await ProcessRunner::run(unpack.program, unpack.arguments);
    } catch (const UserFacingError &error) {
        if (self)
            m_operation.fail(QStringLiteral("SteamCMD setup failed: "), error);
        co_return;
    }
    if (self)
        advanceTo(SetupStep::gameFiles);
}
