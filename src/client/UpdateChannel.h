#pragma once

#include <QUrl>

// The release manifest below a channel's base address.
QUrl manifestURL(const QUrl &channel);
