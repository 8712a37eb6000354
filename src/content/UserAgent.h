#pragma once

#include <QByteArray>

// How Tarnhold names itself to the sites it downloads from; some refuse
// requests that carry no user agent.
inline const QByteArray userAgent = QByteArrayLiteral("Tarnhold/" TARNHOLD_VERSION);
