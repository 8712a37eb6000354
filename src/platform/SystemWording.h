#pragma once

#include <QString>

// Tarnhold's texts are written for the Mac. Those that name macOS or the
// Mac, or state a macOS fact, read differently on other systems; every
// caller passes the macOS text and shows what this returns. On macOS it is
// the text itself; any text without a wording of its own is also returned
// unchanged.
QString systemWording(const QString &macText);
