#pragma once

#include <QString>

#include <optional>

// Where SteamCMD downloads the Windows game, and whether it is all there.
namespace SteamGameFolder {

// "SteamGame" in the support folder.
QString location();
// SteamCMD's manifest of the game's app inside the download folder.
QString manifestFile(const QString &folder);

// The download holds the game once "Generals.exe" is at its top (either
// letter case SteamCMD uses) or anywhere below it.
bool isComplete(const QString &folder);
// The folder that directly holds "Generals.exe": folder itself, or the
// parent of the first one found below it.
std::optional<QString> locateGameRoot(const QString &folder);

} // namespace SteamGameFolder
