#include "FuzzRequire.h"
#include "content/CncLabsLink.h"

// A details page is the site's to write, or anyone's who stands between.
// Whatever it says, an accepted link reaches only the site itself and only
// the item's own file, as decoded and as sent: an escaped slash or dot
// would name another file to the server while it looked the same here.
FUZZ_TARGET(bytes)
{
    const QUrl site(QStringLiteral("https://www.cnclabs.com"));
    const std::optional<QUrl> link = cnclabsDownloadURL(site, 220, QString::fromUtf8(bytes));
    if (!link)
        return;
    const auto staysOnTheFile = [&site](const QUrl &url) {
        const QString path = url.path(QUrl::FullyEncoded);
        return url.isValid() && url.scheme() == QStringLiteral("https") && url.host() == site.host() && url.port() == -1
               && url.userInfo().isEmpty()
               && (path == QStringLiteral("/downloads/file/220/") || path == QStringLiteral("/downloads/file/220"));
    };
    FUZZ_REQUIRE(staysOnTheFile(*link));
    // The request carries the link as text, which the network reads anew.
    FUZZ_REQUIRE(staysOnTheFile(QUrl(link->toString(QUrl::FullyEncoded), QUrl::StrictMode)));
}
