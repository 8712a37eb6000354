#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class Platform;

// The parts of the official multiplayer profile that live in the game's
// data folder: the maps Tarnhold installed there, listed in the managed-map
// list so they can be told from the player's own, and the community data
// patch switched on for the online client. All of it is synchronous file
// work, safe to run off the GUI thread; each throws a UserFacingError at
// the first change it cannot make.

// The names of the managed-map list in their stored order; absent when the
// file is missing, unreadable or not a JSON array of strings.
std::optional<QStringList> readManagedMapList();

// Copies every map folder directly in each source into the game's Maps
// folder, later sources replacing earlier ones of the same name, and
// records them as the managed maps. Fewer than 8 maps is a corrupt set: the
// copies stay but the list is not written. Gives the names, sorted.
QStringList installClientMaps(const Platform &platform, const QStringList &sources);

// Moves the managed maps still in the game into one folder and that folder
// to the Trash, so the player can restore them as one. A missing or empty
// list does nothing; the list itself is left for the next installation.
void trashManagedMaps(Platform &platform);

// Whether every map of a managed list of at least 8 is in the game.
bool managedMapsAreInstalled();

// Puts the official community data patch in the game data folder and turns
// it on in the online client's settings, keeping every other setting.
void configureOfficialCommunityDataPatch();
// The online client's settings with the community data patch on: pretty
// printed with sorted keys, every other setting kept; anything that is not
// a JSON object starts afresh.
QByteArray withCommunityDataPatch(const QByteArray &settings);
