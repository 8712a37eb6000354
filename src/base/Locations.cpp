#include "base/Locations.h"

#include <QDir>
#include <QFileInfo>

namespace Locations {

namespace {
QString belowHome(const QString &relative)
{
    return QDir(homeFolder()).filePath(relative);
}
} // namespace

QString homeFolder()
{
    return QDir::homePath();
}

QString supportFolder()
{
    return belowHome(QStringLiteral("Library/Application Support/Tarnhold"));
}

QString logsFolder()
{
    return belowHome(QStringLiteral("Library/Logs/Tarnhold"));
}

QString gameDataFolder()
{
    return belowHome(QStringLiteral("Documents/Command and Conquer Generals Zero Hour Data"));
}

QString legacyRuntimeFolder()
{
    return belowHome(QStringLiteral("Library/Application Support/VelmoraCXBuild/runtime-sse2-full"));
}

QString legacyPrefixFolder()
{
    return belowHome(QStringLiteral("Library/Application Support/VelmoraCX26/Prefix"));
}

QString stateFile()
{
    return QDir(supportFolder()).filePath(QStringLiteral("state.json"));
}

QString installationLockFile()
{
    return QDir(supportFolder()).filePath(QStringLiteral("Installation.lock"));
}

QString currentRuntimeFolder()
{
    return QDir(supportFolder()).filePath(QStringLiteral("Runtime/current"));
}

QString managedPrefixFolder()
{
    return QDir(supportFolder()).filePath(QStringLiteral("Prefix"));
}

QString managedMapListFile()
{
    return QDir(communityContentFolder()).filePath(QStringLiteral("installed-maps.json"));
}

QString threePlayerMapsFolder()
{
    return QDir(communityContentFolder()).filePath(QStringLiteral("CNCLabs-3Player/v2/Maps"));
}

QString threePlayerArchiveFolder()
{
    return QDir(communityDownloadsFolder()).filePath(QStringLiteral("CNCLabs-3Player"));
}

QString downloadsFolder()
{
    return QDir(supportFolder()).filePath(QStringLiteral("Downloads"));
}

QString rankedMapsFolder()
{
    return QDir(communityContentFolder()).filePath(QStringLiteral("RankedMaps"));
}

QString communityDownloadsFolder()
{
    return QDir(downloadsFolder()).filePath(QStringLiteral("CommunityContent"));
}

QString officialUserDataFolder()
{
    return QDir(communityContentFolder()).filePath(QStringLiteral("Official"));
}

QString officialMapsFolder()
{
    return QDir(officialUserDataFolder()).filePath(QStringLiteral("Maps"));
}

QString communityContentFolder()
{
    return QDir(supportFolder()).filePath(QStringLiteral("CommunityContent"));
}

QString repairsFolder()
{
    return QDir(supportFolder()).filePath(QStringLiteral("Repairs"));
}

QString setupLogFile()
{
    return QDir(logsFolder()).filePath(QStringLiteral("wine-setup.log"));
}

QString gameMapsFolder()
{
    return QDir(gameDataFolder()).filePath(QStringLiteral("Maps"));
}

QString gameFolder(const QString &prefix)
{
    return QDir(prefix).filePath(QStringLiteral("drive_c/GeneralsZH"));
}

QString launcherFile(const QString &prefix)
{
    return QDir(gameFolder(prefix)).filePath(QStringLiteral("EAC_LaunchVelmora.exe"));
}

} // namespace Locations

bool isExecutableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

bool fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}
