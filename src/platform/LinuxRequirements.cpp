#include "platform/LinuxRequirements.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace {

struct Requirement
{
    // Every one of these files must be present …
    QStringList allOf;
    // … and at least one of these, when any are named.
    QStringList anyOf;
    QString unmet;
};

const QList<Requirement> &requirements()
{
    static const QList<Requirement> list{
        {{QStringLiteral("usr/lib/wine/wine64"), QStringLiteral("usr/lib/wine/wineserver"),
          QStringLiteral("usr/lib/x86_64-linux-gnu/wine/x86_64-windows/wineboot.exe")},
         {},
         QStringLiteral("Wine is required to run the Windows game. Install it by running “sudo apt install wine64” in "
                        "a terminal, then retry.")},
        {{},
         {QStringLiteral("usr/lib32/libgcc_s.so.1"), QStringLiteral("usr/lib/i386-linux-gnu/libgcc_s.so.1")},
         QStringLiteral("SteamCMD requires the 32-bit GCC runtime library. Install it by running “sudo apt install "
                        "lib32gcc-s1” in a terminal, then retry.")},
        {{QStringLiteral("usr/bin/unzip"), QStringLiteral("usr/bin/bsdtar")},
         {},
         QStringLiteral("Tarnhold unpacks ZIP archives with unzip and bsdtar. Install them by running “sudo apt "
                        "install unzip libarchive-tools” in a terminal, then retry.")},
    };
    return list;
}

} // namespace

std::optional<QString> unmetLinuxRequirement(const QString &systemRoot)
{
    const QDir root(systemRoot);
    const auto present = [&root](const QString &relative) { return QFileInfo(root.filePath(relative)).isFile(); };
    for (const Requirement &requirement : requirements()) {
        const bool met = std::ranges::all_of(requirement.allOf, present)
                         && (requirement.anyOf.isEmpty() || std::ranges::any_of(requirement.anyOf, present));
        if (!met)
            return requirement.unmet;
    }
    return std::nullopt;
}
