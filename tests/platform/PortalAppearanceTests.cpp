#include "platform/LinuxPlatform.h"
#include "platform/PortalColorScheme.h"
#include "support/FileTree.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace FileTree;
using namespace Qt::StringLiterals;

namespace {

TEST(PortalColorScheme, ReadsOnlyTheColourSchemeFromGdbusOutput)
{
    const std::pair<QString, std::optional<ColorScheme>> replies[] = {
        {u"(<<uint32 1>>,)\n"_s, ColorScheme::dark},
        {u"(<uint32 2>,)\n"_s, ColorScheme::light},
        {u"(<<uint32 0>>,)\n"_s, ColorScheme::noPreference},
        {u"(<<uint32 7>>,)\n"_s, std::nullopt},
        {u"(<<uint32 99999999999>>,)\n"_s, std::nullopt},
        {u"(<<'prefer-dark'>>,)\n"_s, std::nullopt},
        {u"Error: GDBus.Error:org.freedesktop.portal.Error.NotFound: Requested setting not found\n"_s, std::nullopt},
        {QString(), std::nullopt},
    };
    for (const auto &[output, scheme] : replies)
        EXPECT_EQ(parseColorSchemeReply(output), scheme) << output.toStdString();

    const QString signal = u"/org/freedesktop/portal/desktop: org.freedesktop.portal.Settings.SettingChanged "_s;
    const std::pair<QString, std::optional<ColorScheme>> lines[] = {
        {signal + u"('org.freedesktop.appearance', 'color-scheme', <uint32 1>)\n"_s, ColorScheme::dark},
        {signal + u"('org.freedesktop.appearance', 'color-scheme', <uint32 2>)"_s, ColorScheme::light},
        {signal + u"('org.freedesktop.appearance', 'accent-color', <(0.2, 0.4, 0.8)>)\n"_s, std::nullopt},
        {signal + u"('org.gnome.desktop.interface', 'color-scheme', <uint32 1>)\n"_s, std::nullopt},
        {u"The name org.freedesktop.portal.Desktop is owned by :1.12\n"_s, std::nullopt},
    };
    for (const auto &[line, scheme] : lines)
        EXPECT_EQ(parseColorSchemeChange(line), scheme) << line.toStdString();
}

// gdbus answers the read with "light", and its monitor later reports "dark".
constexpr char fakeGdbus[] =
    "#!/bin/sh\n"
    "case \"$1\" in\n"
    "call) printf '(<<uint32 2>>,)\\n' ;;\n"
    "monitor) printf 'The name org.freedesktop.portal.Desktop is owned by :1.5\\n'\n"
    "  while [ ! -e ~/turn-dark ]; do /bin/sleep 0.05; done\n"
    "  printf \"/org/freedesktop/portal/desktop: org.freedesktop.portal.Settings.SettingChanged "
    "('org.freedesktop.appearance', 'color-scheme', <uint32 1>)\\n\"\n"
    "  exec /bin/sleep 60 ;;\n"
    "esac\n";

TEST(PortalAppearance, FollowsTheDesktopsColourSchemeLive)
{
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(inHome(u"bin"_s)));
    writeExecutable(inHome(u"bin/gdbus"_s), fakeGdbus);
    {
        LinuxPlatform platform;
        int changes = 0;
        platform.watchAppearance([&] { ++changes; });
        EXPECT_TRUE(eventually([&] { return changes == 1; }));
        EXPECT_FALSE(platform.prefersDarkAppearance());

        writeFile(inHome(u"turn-dark"_s));
        EXPECT_TRUE(eventually([&] { return changes == 2; }));
        EXPECT_TRUE(platform.prefersDarkAppearance());
    }
    qputenv("PATH", path);
}

} // namespace
