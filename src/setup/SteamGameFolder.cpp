#include "setup/SteamGameFolder.h"

#include "base/Locations.h"
#include "maps/MapFolders.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString gameExecutable = QStringLiteral("Generals.exe");

} // namespace

namespace SteamGameFolder {

QString location()
{
    return QDir(Locations::supportFolder()).filePath(QStringLiteral("SteamGame"));
}

QString manifestFile(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("steamapps/appmanifest_2732960.acf"));
}

bool isComplete(const QString &folder)
{
    const QDir root(folder);
    return fileExists(root.filePath(gameExecutable)) || fileExists(root.filePath(QStringLiteral("generals.exe")))
           || findFile(gameExecutable, folder).has_value();
}

std::optional<QString> locateGameRoot(const QString &folder)
{
    if (fileExists(QDir(folder).filePath(gameExecutable)))
        return folder;
    if (const std::optional<QString> found = findFile(gameExecutable, folder))
        return QFileInfo(*found).path();
    return std::nullopt;
}

} // namespace SteamGameFolder
