#pragma once

#include "base/Catalog.h"
#include "base/InstalledState.h"

#include <QString>

class Platform;

// What a launch puts in place from the caches, copied on the GUI thread so
// that the file work can run off it.
struct OfficialContentSources
{
    InstalledState state;
    Catalog catalog;
    const Platform *platform = nullptr;
};

// Makes the game folder and its data folder hold the official multiplayer
// content again before a launch, from what earlier installations prepared
// and without the network: the anti-cheat settings, the user data moved out
// of the game folder, the managed maps when any is missing, the community
// data patch and the prepared interface. Throws a UserFacingError at the
// first step that fails.
void prepareOfficialMultiplayerContent(const QString &game, const OfficialContentSources &sources);
