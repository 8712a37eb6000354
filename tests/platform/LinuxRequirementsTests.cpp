#include "platform/LinuxRequirements.h"
#include "support/FileTree.h"

#include <gmock/gmock.h>

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// Wine's three files are all needed; the 32-bit library may sit in either
// of Debian's places. Wine is named first, the archive tools last.
TEST(LinuxRequirements, NameTheFirstMissingPackage)
{
    const QStringList wine{u"usr/lib/wine/wine64"_s, u"usr/lib/wine/wineserver"_s,
                           u"usr/lib/x86_64-linux-gnu/wine/x86_64-windows/wineboot.exe"_s};
    // The files present, and what the unmet requirement says.
    const QStringList tools{u"usr/bin/unzip"_s, u"usr/bin/bsdtar"_s};
    const std::pair<QStringList, const char *> systems[] = {
        {tools, "apt install wine64”"},
        {wine.mid(1) + tools << u"usr/lib32/libgcc_s.so.1"_s, "apt install wine64”"},
        {wine + tools, "apt install lib32gcc-s1”"},
        {wine + QStringList{u"usr/lib32/libgcc_s.so.1"_s, u"usr/bin/unzip"_s}, "apt install unzip libarchive-tools”"},
        {wine + tools + QStringList{u"usr/lib32/libgcc_s.so.1"_s}, "^$"},
        {wine + tools + QStringList{u"usr/lib/i386-linux-gnu/libgcc_s.so.1"_s}, "^$"},
    };
    for (const auto &[files, unmet] : systems) {
        const QTemporaryDir root;
        for (const QString &file : files)
            FileTree::writeFile(root.filePath(file));
        EXPECT_THAT(unmetLinuxRequirement(root.path()).value_or(u""_s).toStdString(), testing::ContainsRegex(unmet));
    }
}

} // namespace
