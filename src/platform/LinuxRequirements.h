#pragma once

#include <QString>

#include <optional>

// What a Linux system must provide before the setup can run: Debian's Wine
// (the runtime Tarnhold installs wraps it) and the 32-bit C runtime that
// Valve's Linux SteamCMD is built against. Absent when everything is there,
// otherwise the sentence that names the package to install. The files are
// looked for below systemRoot ("/" on a real system).
std::optional<QString> unmetLinuxRequirement(const QString &systemRoot);
