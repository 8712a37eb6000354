#include "content/ControlBar.h"

#include "base/FileChanges.h"
#include "base/InstalledState.h"
#include "base/Locations.h"
#include "content/HttpClient.h"
#include "content/TransferErrors.h"
#include "content/ZipUnpacking.h"
#include "maps/MapFolders.h"
#include "platform/Platform.h"

#include <QCoroFuture>
#include <QDir>
#include <QFileInfo>
#include <QUuid>
#include <QtConcurrent>

namespace {

// Removes the unpacked archives however the preparation ends; what is left
// behind is only clutter, so a failed removal is not reported.
class ExtractionFolder
{
public:
    ExtractionFolder()
        : m_path(QDir(Locations::communityDownloadsFolder())
                     .filePath(QStringLiteral("control-bar-") + QUuid::createUuid().toString(QUuid::WithoutBraces)))
    {}
    ~ExtractionFolder()
    {
        try {
            removeItem(m_path);
        } catch (const UserFacingError &) {
        }
    }
    Q_DISABLE_COPY_MOVE(ExtractionFolder)

    QString filePath(const QString &name) const { return QDir(m_path).filePath(name); }

private:
    QString m_path;
};

QCoro::Task<QString> downloadArchive(HttpClient &http, QUrl url, QString sha256, QString name)
{
    const QString kept = QDir(Locations::communityDownloadsFolder()).filePath(name);
    co_await http.verifiedDownload(url, sha256, kept);
    co_return kept;
}

} // namespace

QCoro::Task<PreparedControlBar> prepareControlBar(Services services, QString resolution)
{
    const ControlBarPackage package = controlBarPackage(resolution, services.catalog.controlBar);
    if (std::optional<PreparedControlBar> prepared = preparedControlBar(package))
        co_return *prepared;

    makeFolder(Locations::communityDownloadsFolder());
    const QUrl site = services.catalog.genToolSite;
    const QString interfaceArchive =
        co_await downloadArchive(services.http, package.url(site), package.sha256, package.archiveName);
    const QString genToolArchive = co_await downloadArchive(services.http, genToolURL(site),
                                                            services.catalog.controlBar.genTool, genToolArchiveName);

    const ExtractionFolder extraction;
    const QDir interfaceFiles(extraction.filePath(QStringLiteral("ControlBar")));
    const QString genToolFiles = extraction.filePath(QStringLiteral("GenTool"));
    makeFolder(interfaceFiles.path());
    makeFolder(genToolFiles);
    co_await unpackZipInside(services.platform, interfaceArchive, interfaceFiles.path());
    co_await unpackZipInside(services.platform, genToolArchive, genToolFiles);
    // The walk's length is the archive's to decide, so it runs off the GUI thread.
    const std::optional<QString> library = co_await QtConcurrent::run(&findFile, genToolLibraryName, genToolFiles);
    if (!library)
        throw CorruptFileError();

    const QDir folder(preparedControlBarFolder(package));
    if (folder.exists())
        removeItem(folder.path());
    makeFolder(folder.path());
    for (const QString &name : package.files) {
        const QString source = interfaceFiles.filePath(name);
        if (!QFileInfo(source).isFile())
            throw CorruptFileError();
        copyFile(source, folder.filePath(name));
    }
    copyFile(*library, folder.filePath(genToolLibraryName));
    co_return PreparedControlBar{package, folder.path()};
}

std::optional<PreparedControlBar> cachedControlBar(const InstalledState &state, const ControlBarPins &pins)
{
    if (state.controlBarVersion != QStringLiteral("1.2") || !state.controlBarResolution)
        return std::nullopt;
    return preparedControlBar(controlBarPackage(*state.controlBarResolution, pins));
}
