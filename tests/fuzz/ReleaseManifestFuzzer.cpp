#include "FuzzRequire.h"
#include "client/ReleaseManifest.h"

// The manifest comes from the network; whatever the channel serves must
// either decode into a manifest that survives its own encoding or be refused
// with a sentence for the user.
FUZZ_TARGET(bytes)
{
    try {
        const ReleaseManifest manifest = decodeReleaseManifest(bytes);
        FUZZ_REQUIRE(manifest.sha256 == manifest.sha256.trimmed());
        FUZZ_REQUIRE(decodeReleaseManifest(encodeReleaseManifest(manifest)) == manifest);
    } catch (const ReleaseManifestError &error) {
        FUZZ_REQUIRE(!error.description().isEmpty());
    }
}
