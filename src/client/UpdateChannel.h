#pragma once

#include <QUrl>

// The base address of the online service's CDN that serves the release
// manifest. It is not public, so builds set it; the default sits under the
// reserved ".invalid" domain and never reaches a real host.
QUrl officialUpdateChannel();

// The release manifest below a channel's base address.
QUrl manifestURL(const QUrl &channel);
