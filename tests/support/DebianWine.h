#pragma once

#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <initializer_list>

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
    const std::initializer_list<QString> files{
        QStringLiteral("/usr/lib/wine/wine64"), QStringLiteral("/usr/lib/wine/wineserver"),
        QStringLiteral("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/wineboot.exe")};
    return std::ranges::all_of(files, [](const QString &path) { return QFileInfo::exists(path); });
}

inline constexpr const char *missing =
    "Debian's Wine is not installed (apt-get install --no-install-recommends wine64)";

} // namespace DebianWine
