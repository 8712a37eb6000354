#pragma once

#include "base/InstalledState.h"

#include <QString>

#include <optional>

// Where the runtime, the prefix and the launcher in use are. The managed
// installation wins; the older one counts until an uninstall isolated it.
std::optional<QString> runtimeURL(const InstalledState &state);
std::optional<QString> prefixURL(const InstalledState &state);
std::optional<QString> launcherURL(const InstalledState &state);
// Whether the older installation's runtime and launcher are on disk, isolated or not.
bool legacyInstallationPresent();
// A runtime and a launcher file: the game can start.
bool isReady(const InstalledState &state);
