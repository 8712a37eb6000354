#pragma once

#include <QUrl>

#include <optional>

// What a "tarnhold:" URL asks for. Any other host, or none, only brings
// Tarnhold to the front.
enum class UrlAction { launch, stop, updates, repair, community, refresh, maps, settings, activate };

// Absent for URLs of any other scheme, which are ignored. QUrl folds scheme
// and host to lower case, as URLs define them to be case-insensitive.
std::optional<UrlAction> urlAction(const QUrl &url);
