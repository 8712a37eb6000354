#include "content/MapProfile.h"

#include "base/FileChanges.h"
#include "base/Locations.h"
#include "base/MissingFileError.h"
#include "base/SmallFile.h"
#include "content/Sha256.h"
#include "content/TransferErrors.h"
#include "maps/MapFolders.h"
#include "maps/NameOrder.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QUuid>

#include <algorithm>

namespace {

// Fewer maps than this is no release but a broken download.
constexpr qsizetype minimumMapCount = 8;

const QString dataPatchName = QStringLiteral("VelmoraGameData/500_900_CommunityPatch_CoreINI.big");

QString gameMap(const QString &name)
{
    return QDir(Locations::gameMapsFolder()).filePath(name);
}

// Copies the map folders into the game's Maps folder in one child process.
// Blocks until the copy ends: callers run this work off the GUI thread.
void copyMaps(const Platform &platform, const QFileInfoList &maps)
{
    if (maps.isEmpty())
        return;
    QStringList folders;
    for (const QFileInfo &map : maps)
        folders.append(map.filePath());
    const ToolCommand command = platform.copyFoldersIntoCommand(folders, Locations::gameMapsFolder());
    QProcess copy;
    copy.setStandardInputFile(QProcess::nullDevice());
    copy.start(command.program, command.arguments);
    if (copy.waitForFinished(-1) && copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == 0)
        return;
    // The copy goes on past a failed map, so the first one missing is the culprit.
    const auto missing =
        std::ranges::find_if(maps, [](const QFileInfo &map) { return !isMapFolder(gameMap(map.fileName())); });
    throw UserFacingError(QStringLiteral("Tarnhold could not copy the map “%1”.")
                              .arg((missing == maps.end() ? maps.first() : *missing).fileName()));
}

// A listed name that is empty or steps out of the Maps folder is not a map
// of ours, whatever the list says.
bool isPlainName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(u'/')
           && !name.contains(QChar());
}

} // namespace

std::optional<QStringList> readManagedMapList()
{
    const std::optional<QByteArray> bytes = readSmallFile(Locations::managedMapListFile(), listSizeLimit);
    if (!bytes)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(*bytes);
    if (!document.isArray())
        return std::nullopt;
    QStringList names;
    for (const QJsonValue value : document.array()) {
        if (!value.isString())
            return std::nullopt;
        names.append(value.toString());
    }
    return names;
}

QStringList installClientMaps(const Platform &platform, const QStringList &sources)
{
    makeFolder(Locations::gameMapsFolder());
    QStringList installed;
    for (const QString &source : sources) {
        if (!QFileInfo::exists(source))
            throw MissingFileError(QFileInfo(source).fileName());
        QFileInfoList maps;
        for (const QFileInfo &entry : QDir(source).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (!isMapFolder(entry.filePath()))
                continue;
            removeItem(gameMap(entry.fileName()));
            maps.append(entry);
            if (!installed.contains(entry.fileName()))
                installed.append(entry.fileName());
        }
        copyMaps(platform, maps);
    }
    if (installed.size() < minimumMapCount)
        throw CorruptFileError();
    std::ranges::stable_sort(installed, nameCollator());
    makeFolder(QFileInfo(Locations::managedMapListFile()).absolutePath());
    replaceFile(Locations::managedMapListFile(),
                QJsonDocument(QJsonArray::fromStringList(installed)).toJson(QJsonDocument::Compact));
    return installed;
}

void trashManagedMaps(Platform &platform)
{
    const std::optional<QStringList> names = readManagedMapList();
    if (!names || names->isEmpty())
        return;
    const QString holding = QDir(Locations::supportFolder())
                                .filePath(QStringLiteral("Removed Community Maps ")
                                          + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    makeFolder(holding);
    bool moved = false;
    for (const QString &name : *names) {
        const QFileInfo map(gameMap(name));
        if (!isPlainName(name) || !(map.exists() || map.isSymLink()))
            continue;
        moveItem(map.filePath(), QDir(holding).filePath(name));
        moved = true;
    }
    if (!moved) {
        removeItem(holding);
        return;
    }
    QString error;
    if (!platform.moveToTrash(holding, &error))
        throw UserFacingError(error);
}

bool managedMapsAreInstalled()
{
    const std::optional<QStringList> names = readManagedMapList();
    return names && names->size() >= minimumMapCount && std::ranges::all_of(*names, [](const QString &name) {
               return isPlainName(name) && isMapFolder(gameMap(name));
           });
}

void configureOfficialCommunityDataPatch()
{
    const QString official = QDir(Locations::officialUserDataFolder()).filePath(dataPatchName);
    const QString installed = QDir(Locations::gameDataFolder()).filePath(dataPatchName);
    if (!QFileInfo(official).isFile())
        throw MissingFileError(QFileInfo(official).fileName());
    if (!filesMatch(official, installed)) {
        QFile source(official);
        if (!source.open(QIODevice::ReadOnly))
            throw UserFacingError(QStringLiteral("Tarnhold could not read “%1”.").arg(QFileInfo(official).fileName()));
        makeFolder(QFileInfo(installed).absolutePath());
        replaceFile(installed, source.readAll());
    }

    const QString settingsFile =
        QDir(Locations::gameDataFolder()).filePath(QStringLiteral("VelmoraData/settings.json"));
    makeFolder(QFileInfo(settingsFile).absolutePath());
    replaceFile(settingsFile,
                withCommunityDataPatch(readSmallFile(settingsFile, recordSizeLimit).value_or(QByteArray())));
}

QByteArray withCommunityDataPatch(const QByteArray &settings)
{
    // Settings that are not a JSON object are replaced rather than kept.
    QJsonObject object = QJsonDocument::fromJson(settings).object();
    QJsonObject packs = object.value(QStringLiteral("data_packs")).toObject();
    packs.insert(QStringLiteral("use_community_data_patch"), true);
    object.insert(QStringLiteral("data_packs"), packs);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}
