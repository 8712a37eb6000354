#include "maps/MapFolders.h"

#include "maps/NameOrder.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

namespace {

// QDirIterator leaves hidden entries out and does not enter hidden folders as
// long as the filter asks for neither Hidden nor AllDirs; without
// FollowSymlinks it never enters a linked folder, so link loops cannot trap it.
constexpr QDirIterator::IteratorFlags walkFlags = QDirIterator::Subdirectories;

std::optional<QString> findEntry(const QString &name, const QString &root, QDir::Filters kinds)
{
    QDirIterator entries(root, kinds | QDir::NoDotAndDotDot, walkFlags);
    while (entries.hasNext()) {
        entries.next();
        if (entries.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return entries.filePath();
    }
    return std::nullopt;
}

QString mapFileName(const QFileInfo &folder)
{
    return folder.fileName() + QStringLiteral(".map");
}

// The candidates for maps inside folder; absent when it cannot be listed.
std::optional<QFileInfoList> subfolders(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return std::nullopt;
    return QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Unsorted);
}

bool isImage(const QFileInfo &file)
{
    const QString suffix = file.suffix().toLower();
    return suffix == QLatin1String("tga") || suffix == QLatin1String("png") || suffix == QLatin1String("jpg")
           || suffix == QLatin1String("jpeg");
}

std::optional<QString> bestThumbnail(const QString &folderName, const QFileInfoList &images)
{
    const QCollator collator = nameCollator();
    const auto namedLikeFolder = [&](const QFileInfo &image) {
        return image.completeBaseName().compare(folderName, Qt::CaseInsensitive) == 0;
    };
    const auto best = std::min_element(images.cbegin(), images.cend(), [&](const QFileInfo &a, const QFileInfo &b) {
        const bool aNamed = namedLikeFolder(a);
        if (aNamed != namedLikeFolder(b))
            return aNamed;
        return collator.compare(a.fileName(), b.fileName()) < 0;
    });
    if (best == images.cend())
        return std::nullopt;
    return best->filePath();
}

std::optional<MapFolderSurvey> survey(const QFileInfo &folder)
{
    const QString root = folder.filePath();
    const QString mapFile = mapFileName(folder);
    bool isMap = false;
    bool containsINI = false;
    QFileInfoList images;
    QDirIterator entries(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, walkFlags);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo entry = entries.fileInfo();
        const QString name = entry.fileName();
        // A link counts only when it leads to a regular file: a device or a
        // FIFO named like a map is no map.
        isMap = isMap || (entry.isFile() && name.compare(mapFile, Qt::CaseInsensitive) == 0);
        containsINI = containsINI || name.compare(QLatin1String("map.ini"), Qt::CaseInsensitive) == 0;
        if (entry.isFile() && isImage(entry) && entry.path() == root)
            images.append(entry);
    }
    if (!isMap)
        return std::nullopt;
    return MapFolderSurvey{folder, containsINI, bestThumbnail(folder.fileName(), images)};
}

} // namespace

std::optional<QString> findFile(const QString &name, const QString &root)
{
    return findEntry(name, root, QDir::Files | QDir::Dirs);
}

bool isMapFolder(const QString &path)
{
    const QFileInfo folder(QDir::cleanPath(path));
    return folder.isDir() && !folder.isSymLink() && survey(folder).has_value();
}

QList<MapFolderSurvey> surveyMapFolders(const QString &folder)
{
    QList<MapFolderSurvey> maps;
    for (const QFileInfo &candidate : subfolders(folder).value_or(QFileInfoList())) {
        if (std::optional<MapFolderSurvey> map = survey(candidate))
            maps.append(std::move(*map));
    }
    return maps;
}
