#include "content/RankedMapRelease.h"

#include "content/TransferErrors.h"
#include "maps/MapFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>

namespace {

bool isCommitIdentifier(const QString &text)
{
    return text.size() == 40
           && std::ranges::all_of(text, [](QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'); });
}

// The folders directly in folder, hidden ones included, links left out (a
// link is not a folder of the release); absent when it cannot be listed.
std::optional<QFileInfoList> listFolders(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return std::nullopt;
    return QDir(folder).entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                                      QDir::Unsorted);
}

} // namespace

QStringList rankedMapReleaseDirectories()
{
    return {QStringLiteral("maps2024_1v1_zh"), QStringLiteral("maps2024_2v2_zh"), QStringLiteral("maps2024_3v3_zh"),
            QStringLiteral("maps2024_4v4_zh"), QStringLiteral("maps_1v1_zh"),     QStringLiteral("maps_2v2_zh"),
            QStringLiteral("maps_3v3_zh"),     QStringLiteral("maps_4v4_zh")};
}

bool isExcludedRankedMap(const QString &name)
{
    static const QStringList fragments{QStringLiteral("[aod]"), QStringLiteral("aod "), QStringLiteral("christmas"),
                                       QStringLiteral("casino"), QStringLiteral("mortal temptation")};
    const QString lowered = name.toLower();
    return std::ranges::any_of(fragments, [&](const QString &fragment) { return lowered.contains(fragment); });
}

QString decodeGitHubCommit(const QByteArray &answer)
{
    const QJsonDocument document = QJsonDocument::fromJson(answer);
    const QJsonValue sha = document.object().value(QLatin1StringView("sha"));
    if (!document.isObject() || !sha.isString())
        throw GitHubCommitError();
    const QString identifier = sha.toString().toLower();
    if (!isCommitIdentifier(identifier))
        throw CorruptFileError();
    return identifier;
}

std::optional<QString> findDirectory(const QString &name, const QString &root)
{
    // Without Hidden or FollowSymlinks the walk neither lists nor enters
    // hidden or linked folders.
    QDirIterator entries(root, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        entries.next();
        if (entries.fileName() == name)
            return entries.filePath();
    }
    return std::nullopt;
}

std::optional<qint64> countMapFolders(const QString &folder)
{
    const std::optional<QFileInfoList> entries = listFolders(folder);
    if (!entries)
        return std::nullopt;
    return std::ranges::count_if(*entries, [](const QFileInfo &entry) { return isMapFolder(entry.filePath()); });
}

std::optional<QStringList> selectRankedMaps(const QString &release)
{
    QStringList maps;
    QSet<QString> seen;
    for (const QString &directory : rankedMapReleaseDirectories()) {
        const QString source = QDir(release).filePath(directory);
        if (!QFileInfo::exists(source))
            continue;
        const std::optional<QFileInfoList> entries = listFolders(source);
        if (!entries)
            return std::nullopt;
        for (const QFileInfo &entry : *entries) {
            if (!isMapFolder(entry.filePath()) || isExcludedRankedMap(entry.fileName()))
                continue;
            if (const QString key = entry.fileName().toLower(); !seen.contains(key)) {
                seen.insert(key);
                maps.append(entry.filePath());
            }
        }
    }
    return maps;
}
