#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// The page on the C&C Labs site that describes one item and hands out its
// file link.
QUrl cnclabsDetailsURL(const QUrl &site, int itemID);

// The one-time file link of item itemID that its details page html carries:
// the first "/downloads/file/<itemID>/?token=" up to the closing quote of
// its attribute, "&amp;" read as "&", resolved against the site. Only a link
// with the site's own scheme, host and port and the item's exact file path
// is given; the query with its token is kept.
std::optional<QUrl> cnclabsDownloadURL(const QUrl &site, int itemID, const QString &html);
