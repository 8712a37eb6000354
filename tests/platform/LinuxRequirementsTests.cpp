#include "platform/LinuxRequirements.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

using namespace FileTree;
using namespace Qt::StringLiterals;

namespace {

const QString wineMissing = u"Wine is required to run the Windows game. Install it by running “sudo apt install "
                            u"wine64” in a terminal, then retry."_s;
const QString gccMissing = u"SteamCMD requires the 32-bit GCC runtime library. Install it by running “sudo apt "
                           u"install lib32gcc-s1” in a terminal, then retry."_s;

struct SystemCase
{
    const char *name;
    QStringList files;
    std::optional<QString> unmet;
};

void PrintTo(const SystemCase &scenario, std::ostream *out)
{
    *out << scenario.name;
}

class LinuxRequirements : public testing::TestWithParam<SystemCase>
{};

// Wine's three files are all needed; the 32-bit library may sit in either
// of Debian's places. Wine is named first.
TEST_P(LinuxRequirements, NameTheFirstMissingPackage)
{
    const QString root = inHome(u"system"_s);
    makeFolder(root);
    for (const QString &file : GetParam().files)
        writeFile(root + u'/' + file);
    EXPECT_EQ(unmetLinuxRequirement(root), GetParam().unmet);
}

const QString wine64 = u"usr/lib/wine/wine64"_s;
const QString wineserver = u"usr/lib/wine/wineserver"_s;
const QString wineboot = u"usr/lib/x86_64-linux-gnu/wine/x86_64-windows/wineboot.exe"_s;
const QString lib32 = u"usr/lib32/libgcc_s.so.1"_s;
const QString multiarch = u"usr/lib/i386-linux-gnu/libgcc_s.so.1"_s;

INSTANTIATE_TEST_SUITE_P(, LinuxRequirements,
                         testing::Values(SystemCase{"bare", {}, wineMissing},
                                         SystemCase{"noWineboot", {wine64, wineserver, lib32}, wineMissing},
                                         SystemCase{"no32BitLibrary", {wine64, wineserver, wineboot}, gccMissing},
                                         SystemCase{"lib32", {wine64, wineserver, wineboot, lib32}, std::nullopt},
                                         SystemCase{
                                             "multiarch", {wine64, wineserver, wineboot, multiarch}, std::nullopt}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
