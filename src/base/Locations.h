#pragma once

#include <QString>

// Tarnhold's fixed folders, all below the current user's home folder. They
// are computed on each call so a changed HOME (tests) is always honoured.
namespace Locations {

QString homeFolder();
QString supportFolder();
QString logsFolder();
QString gameDataFolder();
QString legacyRuntimeFolder();
QString legacyPrefixFolder();

QString stateFile();
// Held by the one Tarnhold process working on the installation.
QString installationLockFile();
QString currentRuntimeFolder();
QString managedPrefixFolder();
QString managedMapListFile();
// The prepared pinned three-player maps, one map folder each.
QString threePlayerMapsFolder();
// Where the three-player maps' archives are kept, "<item>.zip" each.
QString threePlayerArchiveFolder();
// Where the online client's archives are downloaded, kept and unpacked.
QString downloadsFolder();
// The community content's prepared packages and backups.
QString communityContentFolder();
// The ranked maps prepared for installation, one folder per commit.
QString rankedMapsFolder();
// Where community content archives are downloaded, kept and unpacked.
QString communityDownloadsFolder();
// The official copies of the client's user-data folders.
QString officialUserDataFolder();
// The official maps kept from the online client, one map folder each.
QString officialMapsFolder();
// Backups of files a repair replaced.
QString repairsFolder();
// The record of every Wine prefix creation.
QString setupLogFile();
QString gameMapsFolder();

// "drive_c/GeneralsZH" inside a Wine prefix.
QString gameFolder(const QString &prefix);
QString launcherFile(const QString &prefix);

} // namespace Locations

// True for an existing regular file (after following links) with execute
// permission; the runtime counts as present only then.
bool isExecutableFile(const QString &path);
bool fileExists(const QString &path);
