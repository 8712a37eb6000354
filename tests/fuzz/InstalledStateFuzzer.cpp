#include "FuzzRequire.h"
#include "base/InstalledState.h"

// state.json may have been edited by hand or cut short by a full disk.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<InstalledState> state = decodeInstalledState(bytes);
    if (!state)
        return 0;

    // Whatever was accepted must survive being written back unchanged, or
    // the next save would quietly alter the record.
    const QByteArray encoded = encodeInstalledState(*state);
    const std::optional<InstalledState> reread = decodeInstalledState(encoded);
    FUZZ_REQUIRE(reread.has_value());
    FUZZ_REQUIRE(*reread == *state);
    // Equal values may still be written differently (0 and -0).
    FUZZ_REQUIRE(encodeInstalledState(*reread) == encoded);
    return 0;
}
