#pragma once

#include <QFileInfo>
#include <QString>

// The integration tests run real Wine: the runtime the build lays out beside
// the tarnhold executable wraps Debian's wine64, which may be absent.
namespace DebianWine {

// The build's resources folder, which holds that runtime as "Runtime".
inline QString resourcesFolder()
{
    return QStringLiteral(TARNHOLD_BUILD_RESOURCES);
}

inline bool installed()
{
    return QFileInfo::exists(QStringLiteral("/usr/lib/wine/wine64"))
           && QFileInfo::exists(QStringLiteral("/usr/lib/wine/wineserver"))
           && QFileInfo::exists(QStringLiteral("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/wineboot.exe"));
}

inline constexpr const char *missing =
    "Debian's Wine is not installed (apt-get install --no-install-recommends wine64)";

} // namespace DebianWine
