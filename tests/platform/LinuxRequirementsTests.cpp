#include "platform/LinuxRequirements.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

// Wine's three files are all needed; the 32-bit library may sit in either
// of Debian's places. Wine is named first.
TEST(LinuxRequirements, NameTheFirstMissingPackage)
{
    const QString wineMissing = u"Wine is required to run the Windows game. Install it by running “sudo apt install "
                                u"wine64” in a terminal, then retry."_s;
    const QStringList wine{u"usr/lib/wine/wine64"_s, u"usr/lib/wine/wineserver"_s,
                           u"usr/lib/x86_64-linux-gnu/wine/x86_64-windows/wineboot.exe"_s};
    const std::pair<QStringList, std::optional<QString>> systems[] = {
        {{}, wineMissing},
        {wine.mid(1) << u"usr/lib32/libgcc_s.so.1"_s, wineMissing},
        {wine,
         u"SteamCMD requires the 32-bit GCC runtime library. Install it by running “sudo apt install lib32gcc-s1” in "
         u"a terminal, then retry."_s},
        {wine + QStringList{u"usr/lib32/libgcc_s.so.1"_s}, std::nullopt},
        {wine + QStringList{u"usr/lib/i386-linux-gnu/libgcc_s.so.1"_s}, std::nullopt},
    };
    for (const auto &[files, unmet] : systems) {
        const QString root = FileTree::inHome(u"system"_s);
        QDir(root).removeRecursively();
        for (const QString &file : files)
            FileTree::writeFile(root + u'/' + file);
        EXPECT_EQ(unmetLinuxRequirement(root), unmet) << files.join(u' ').toStdString();
    }
}

} // namespace
