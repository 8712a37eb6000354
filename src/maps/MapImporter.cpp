#include "maps/MapImporter.h"

#include "base/BackgroundWork.h"
#include "base/CorruptFileError.h"
#include "base/DetachedOperation.h"
#include "base/FileChanges.h"
#include "base/Locations.h"
#include "base/MissingFileError.h"
#include "base/OperationState.h"
#include "maps/MapArchive.h"
#include "maps/MapCache.h"
#include "maps/MapImportChecks.h"
#include "maps/MapLibrary.h"
#include "platform/Platform.h"
#include "process/ProcessRunner.h"

#include <QCoroFuture>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QUuid>

#include <algorithm>

namespace {

const QString failurePrefix = QStringLiteral("Map import failed: ");

QString standardized(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString newExtractionFolder()
{
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("Tarnhold-MapImport-") + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
}

void removeFolders(const QStringList &folders)
{
    for (const QString &folder : folders)
        removeQuietly(folder);
}

bool isZipArchive(const QFileInfo &item)
{
    return item.suffix().compare(QLatin1String("zip"), Qt::CaseInsensitive) == 0;
}

} // namespace

MapImporter::MapImporter(Platform &platform, OperationState &operation, MapLibrary &library, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_operation(operation)
    , m_library(library)
{}

MapImporter::~MapImporter() = default;

void MapImporter::importMaps(const QStringList &locations)
{
    startDetached(this, m_operation, &MapImporter::runImport, locations);
}

QCoro::Task<> MapImporter::runImport(QStringList locations)
{
    const QPointer<MapImporter> self(this);
    OperationState &operation = m_operation;
    if (!operation.begin(InstallerPhase::community, 0.08, QStringLiteral("Checking imported map packages…")))
        co_return;
    QStringList extractionFolders;
    std::optional<QString> failure;
    ImportCount count;
    try {
        count = co_await importFrom(std::move(locations), &extractionFolders);
    } catch (const UserFacingError &error) {
        failure = error.description();
    }
    (co_await runInBackground(removeFolders, extractionFolders)).take();
    if (!self)
        co_return;
    if (failure) {
        operation.fail(failurePrefix, UserFacingError(*failure));
        co_return;
    }
    operation.setInstallerPhase(InstallerPhase::complete);
    operation.finish(QStringLiteral("Map import complete"), importNotice(count));
}

QCoro::Task<QStringList> MapImporter::collectCandidates(QStringList locations, QStringList *extractionFolders)
{
    const QPointer<MapImporter> self(this);
    QStringList candidates;
    for (const QString &location : std::as_const(locations)) {
        const QFileInfo item(location);
        if (!item.exists())
            throw MissingFileError(item.fileName());
        QString root = location;
        if (!item.isDir()) {
            if (!isZipArchive(item))
                continue;
            root = newExtractionFolder();
            extractionFolders->append(root);
            co_await unpackMapArchive(m_platform, location, root);
            if (!self)
                co_return QStringList();
        }
        candidates += (co_await runInBackground(mapDirectories, root)).take();
        if (!self)
            co_return QStringList();
    }
    std::ranges::transform(candidates, candidates.begin(), standardized);
    candidates.removeDuplicates();
    co_return candidates;
}

QCoro::Task<MapImporter::ImportCount> MapImporter::importFrom(QStringList locations, QStringList *extractionFolders)
{
    const QPointer<MapImporter> self(this);
    const QStringList candidates = co_await collectCandidates(std::move(locations), extractionFolders);
    ImportCount count;
    if (!self)
        co_return count;
    if (candidates.isEmpty())
        throw CorruptFileError();
    const QDir maps(Locations::gameMapsFolder());
    makeFolder(maps.path());
    const qsizetype total = candidates.size();
    for (qsizetype index = 0; index < total; ++index) {
        const QString &candidate = candidates.at(index);
        const QString name = QFileInfo(candidate).fileName();
        m_operation.advance(0.2, 0.9, double(index) / double(total));
        m_operation.setActivity(QStringLiteral("Importing ") + name + QStringLiteral("…"));
        (co_await runInBackground(validateMapDirectory, candidate)).take();
        if (!self)
            co_return count;
        const QFileInfo target(maps.filePath(name));
        if (target.exists() || target.isSymLink()) {
            ++count.skipped;
            continue;
        }
        const ToolCommand copy = m_platform.copyFoldersIntoCommand(QStringList(candidate), maps.path());
        try {
            co_await ProcessRunner::run(copy.program, copy.arguments);
        } catch (...) {
            // The folder did not exist before; a half copy is no map.
            removeQuietly(target.filePath());
            throw;
        }
        if (!self)
            co_return count;
        ++count.imported;
    }
    removeMapCache();
    co_await m_library.refreshMapLibrary();
    co_return count;
}

QString MapImporter::importNotice(ImportCount count)
{
    QString notice = QStringLiteral("Imported %1 map").arg(count.imported);
    if (count.imported != 1)
        notice += QLatin1Char('s');
    if (count.skipped > 0)
        notice += QStringLiteral("; skipped %1 already installed").arg(count.skipped);
    return notice + QStringLiteral(". Imported maps remain personal and are not uploaded.");
}

void MapImporter::removeMap(const InstalledMap &map)
{
    const QFileInfo folder(QDir::cleanPath(map.folderURL));
    if (standardized(folder.path()) != standardized(Locations::gameMapsFolder())
        || !(folder.exists() || folder.isSymLink())) {
        m_operation.setErrorMessage(QStringLiteral("The selected map is no longer inside the game map library."));
        return;
    }
    const QString failure = QStringLiteral("The map could not be moved to the Trash: ");
    QString error;
    if (!m_platform.moveToTrash(folder.filePath(), &error)) {
        m_operation.setErrorMessage(failure + error);
        return;
    }
    try {
        removeMapCache();
    } catch (const UserFacingError &cacheError) {
        m_operation.setErrorMessage(failure + cacheError.description());
        return;
    }
    m_library.refreshMapLibrary();
    m_operation.setNoticeMessage(
        map.name + QStringLiteral(" was moved to the Trash. Managed maps can be restored from Updates."));
}

void MapImporter::revealMapLibrary()
{
    const QString maps = Locations::gameMapsFolder();
    QDir().mkpath(maps);
    m_platform.openFolder(maps);
}
