#include "maps/MapImportChecks.h"

#include "base/CorruptFileError.h"
#include "maps/NameOrder.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr qsizetype mostFoldersPerSource = 200;
constexpr qsizetype mostListingEntries = 5000;
constexpr qsizetype longestFolderName = 160;
constexpr qint64 largestMapBytes = 150'000'000;

// A ".map" file named like the folder that holds it, letter case ignored.
bool isOwnMapFile(const QFileInfo &file, const QString &folderName)
{
    return file.suffix().compare(QLatin1String("map"), Qt::CaseInsensitive) == 0
           && file.completeBaseName().compare(folderName, Qt::CaseInsensitive) == 0;
}

bool entryIsSafe(const QString &entry)
{
    if (entry.startsWith(QLatin1Char('/')) || entry.contains(QLatin1Char('\\')))
        return false;
    const QStringList steps = entry.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return !steps.contains(QStringLiteral("..")) && (steps.isEmpty() || !steps.first().startsWith(QLatin1Char('~')));
}

} // namespace

QStringList mapDirectories(const QString &root)
{
    QStringList folders;
    // Without QDir::Hidden the walk neither lists nor enters hidden items,
    // and it never follows a linked folder.
    QDirIterator walk(root, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (walk.hasNext() && folders.size() < mostFoldersPerSource) {
        const QFileInfo file(walk.next());
        if (file.isSymLink() || !file.isFile())
            continue;
        const QString folder = QDir::cleanPath(file.absolutePath());
        if (isOwnMapFile(file, QFileInfo(folder).fileName()) && !folders.contains(folder))
            folders.append(folder);
    }
    const QCollator collator = nameCollator();
    std::ranges::sort(folders, [&collator](const QString &a, const QString &b) {
        return collator.compare(QFileInfo(a).fileName(), QFileInfo(b).fileName()) < 0;
    });
    return folders;
}

void validateZipListing(const QString &listing)
{
    const QStringList entries = listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (entries.isEmpty() || entries.size() > mostListingEntries || !std::ranges::all_of(entries, &entryIsSafe))
        throw CorruptFileError();
}

void validateMapDirectory(const QString &folder)
{
    const QFileInfo info(folder);
    const QString name = info.fileName();
    if (info.isSymLink() || !info.isDir() || name.size() > longestFolderName || name.startsWith(QLatin1Char('.')))
        throw CorruptFileError();
    const QFileInfoList contents = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
    if (std::ranges::none_of(contents, [&name](const QFileInfo &file) { return isOwnMapFile(file, name); }))
        throw CorruptFileError();
    qint64 bytes = 0;
    QDirIterator walk(folder, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QFileInfo item(walk.next());
        if (item.isSymLink())
            throw CorruptFileError();
        if (item.isFile())
            bytes += item.size();
        if (bytes > largestMapBytes)
            throw CorruptFileError();
    }
}
