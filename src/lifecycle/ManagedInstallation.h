#pragma once

#include "base/InstalledState.h"

class Platform;

// Moves what Tarnhold installed to the Trash: the maps it put into the
// game, then each managed folder of the support folder that exists, in a
// fixed order. Stops at the first item the Trash refuses and throws a
// UserFacingError; what moved before stays in the Trash and the rest stays
// in place. Synchronous file work, safe off the GUI thread.
void trashManagedInstallation(Platform &platform);

// The record once the managed installation is gone: the client's version
// is kept for a later restore, the community content's fields are cleared,
// and the legacy installation is hidden.
InstalledState withoutManagedInstallation(InstalledState state);

// The record with the legacy installation visible again, its version back
// unless the record names one.
InstalledState withLegacyInstallationVisible(InstalledState state);
