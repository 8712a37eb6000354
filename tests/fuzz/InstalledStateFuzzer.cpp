#include "FuzzRequire.h"
#include "base/InstalledState.h"

// state.json may have been edited by hand or cut short by a full disk.
FUZZ_TARGET(bytes)
{
    const std::optional<InstalledState> state = decodeInstalledState(bytes);
    if (!state)
        return;
    // Whatever was accepted must survive being written back unchanged, or
    // the next save would quietly alter the record.
    const QByteArray encoded = encodeInstalledState(*state);
    const std::optional<InstalledState> reread = decodeInstalledState(encoded);
    FUZZ_REQUIRE(reread && *reread == *state);
    // Equal values may still be written differently (0 and -0).
    FUZZ_REQUIRE(encodeInstalledState(*reread) == encoded);
}
