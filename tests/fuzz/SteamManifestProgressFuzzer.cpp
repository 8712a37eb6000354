#include "FuzzRequire.h"
#include "setup/SteamTerminalScript.h"

#include <cmath>

// SteamCMD rewrites its app manifest while it downloads, so a look may catch
// any part of it, and the fraction read from it fills a progress bar.
FUZZ_TARGET(bytes)
{
    const QString manifest = QString::fromUtf8(bytes);
    if (const std::optional<double> fraction = steamManifestProgress(manifest)) {
        FUZZ_REQUIRE(std::isfinite(*fraction) && *fraction >= 0.0 && *fraction <= 1.0);
        FUZZ_REQUIRE(manifest.contains(QStringLiteral("\"BytesToDownload\""))
                     && manifest.contains(QStringLiteral("\"BytesDownloaded\"")));
    }
}
