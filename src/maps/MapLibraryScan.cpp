#include "maps/MapLibraryScan.h"

#include "base/SmallFile.h"
#include "maps/MapFolders.h"
#include "maps/NameOrder.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace {

InstalledMap::Source sourceOf(const QString &loweredName, const QSet<QString> &managedNames,
                              const QSet<QString> &threePlayerNames)
{
    if (!managedNames.contains(loweredName))
        return InstalledMap::Source::personal;
    if (threePlayerNames.contains(loweredName))
        return InstalledMap::Source::cncLabs;
    if (loweredName.contains(QLatin1String("[rank]")) || loweredName.contains(QLatin1String("[aod]")))
        return InstalledMap::Source::ranked;
    return InstalledMap::Source::managed;
}

} // namespace

QSet<QString> decodeManagedMapNames(const QByteArray &list)
{
    const QJsonArray entries = QJsonDocument::fromJson(list).array();
    QSet<QString> names;
    for (const QJsonValue value : entries) {
        // One foreign entry means the file is not ours to trust.
        if (!value.isString())
            return {};
        names.insert(value.toString().toLower());
    }
    return names;
}

QSet<QString> readManagedMapNames(const QString &listFile)
{
    return decodeManagedMapNames(readSmallFile(listFile, listSizeLimit).value_or(QByteArray()));
}

QList<InstalledMap> scanMapLibrary(const QString &mapsFolder, const QSet<QString> &managedNames,
                                   const QSet<QString> &threePlayerNames)
{
    QList<InstalledMap> maps;
    for (const MapFolderSurvey &survey : surveyMapFolders(mapsFolder)) {
        const QString path = survey.folder.absoluteFilePath();
        const QString name = survey.folder.fileName();
        maps.append({
            .id = path,
            .name = name,
            .folderURL = path,
            .thumbnailURL = survey.thumbnail,
            .source = sourceOf(name.toLower(), managedNames, threePlayerNames),
            .containsINI = survey.containsINI,
        });
    }
    const QCollator collator = nameCollator();
    std::stable_sort(maps.begin(), maps.end(), [&](const InstalledMap &a, const InstalledMap &b) {
        return collator.compare(a.name, b.name) < 0;
    });
    return maps;
}
