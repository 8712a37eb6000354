#include "FuzzRequire.h"
#include "content/CncLabsLink.h"

// A details page is the site's to write, or anyone's who stands between.
// Whatever it says, an accepted link reaches only the site itself and only
// the item's own file.
FUZZ_TARGET(bytes)
{
    const QUrl site(QStringLiteral("https://www.cnclabs.com"));
    const std::optional<QUrl> link = cnclabsDownloadURL(site, 220, QString::fromUtf8(bytes));
    if (!link)
        return;
    FUZZ_REQUIRE(link->scheme() == QStringLiteral("https"));
    FUZZ_REQUIRE(link->host() == site.host() && link->port() == -1 && link->userInfo().isEmpty());
    FUZZ_REQUIRE(link->path() == QStringLiteral("/downloads/file/220/")
                 || link->path() == QStringLiteral("/downloads/file/220"));
}
