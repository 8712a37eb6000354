#include "content/CncLabsLink.h"

namespace {

QString filePath(int itemID)
{
    return QStringLiteral("/downloads/file/%1").arg(itemID);
}

} // namespace

QUrl cnclabsDetailsURL(const QUrl &site, int itemID)
{
    return QUrl(site.toString() + QStringLiteral("/downloads/details/%1/").arg(itemID));
}

std::optional<QUrl> cnclabsDownloadURL(const QUrl &site, int itemID, const QString &html)
{
    const QString marker = filePath(itemID) + QStringLiteral("/?token=");
    const qsizetype start = html.indexOf(marker);
    if (start < 0)
        return std::nullopt;
    qsizetype end = start + marker.size();
    while (end < html.size() && html[end] != QLatin1Char('"') && html[end] != QLatin1Char('\''))
        ++end;
    if (end == html.size())
        return std::nullopt;
    QString candidate = html.mid(start, end - start);
    candidate.replace(QStringLiteral("&amp;"), QStringLiteral("&"));

    const QUrl relative(candidate, QUrl::StrictMode);
    if (!relative.isValid())
        return std::nullopt;
    const QUrl link = site.resolved(relative);
    QString path = link.path(QUrl::FullyDecoded);
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    // The site's own scheme, so a test site may be plain HTTP while the
    // real one is HTTPS.
    const bool sameSite = link.scheme() == site.scheme() && link.host() == site.host() && link.port() == site.port();
    if (!link.isValid() || !sameSite || path != filePath(itemID))
        return std::nullopt;
    return link;
}
