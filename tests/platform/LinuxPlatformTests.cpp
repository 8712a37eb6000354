#include "platform/LinuxPlatform.h"
#include "support/FileTree.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace FileTree;
using namespace Qt::StringLiterals;

namespace {

// Once the test releases it, a stand-in records its arguments joined by "|" in
// ~/NAME.args, then fails as a file manager that does not answer would.
constexpr char standIn[] = "#!/bin/sh\n"
                           "i=0; while [ ! -e ~/release ] && [ $i -lt 100 ]; do /bin/sleep 0.1; i=$((i+1)); done\n"
                           "IFS='|'; [ -e ~/release ] && printf %s \"$*\" >~/.$$ && /bin/mv ~/.$$ ~/\"${0##*/}.args\"\n"
                           "exit 1\n";

// Desktop requests start stand-ins from a PATH of their own. A request that
// waited for its child would never let the test release it, and so would
// leave nothing recorded.
class DesktopRequests : public testing::Test
{
protected:
    const QByteArray path = qgetenv("PATH");
    LinuxPlatform platform;

    void SetUp() override { qputenv("PATH", QFile::encodeName(inHome(u"bin"_s))); }
    void TearDown() override { qputenv("PATH", path); }

    static void addPrograms(const QString &names)
    {
        for (const QString &name : names.split(u' ', Qt::SkipEmptyParts))
            writeExecutable(inHome(u"bin/"_s + name), standIn);
    }

    static QString argumentsOf(const QString &name)
    {
        writeFile(inHome(u"release"_s));
        QFile record(inHome(name + u".args"_s));
        EXPECT_TRUE(eventually([&] { return record.open(QIODevice::ReadOnly); })) << name.toStdString() << " never ran";
        return QString::fromUtf8(record.readAll());
    }
};

// The file manager is asked to select the item; when none answers, the
// containing folder opens instead.
TEST_F(DesktopRequests, RevealSelectsTheItemOrOpensItsFolder)
{
    addPrograms(u"gdbus xdg-open"_s);
    platform.revealFile(u"/games/Maps/Tom's Map"_s);
    EXPECT_EQ(argumentsOf(u"gdbus"_s), u"call|--session|--timeout|10|--dest|org.freedesktop.FileManager1|--object-path|"
                                       "/org/freedesktop/FileManager1|--method|org.freedesktop.FileManager1.ShowItems|"
                                       "['file:///games/Maps/Tom%27s%20Map']|\"\""_s);
    EXPECT_EQ(argumentsOf(u"xdg-open"_s), u"/games/Maps"_s);
}

// TERMINAL, the programs on PATH, the terminal that runs the script (none
// when empty) and its arguments: each case offers one and the next in line.
using TerminalCase = std::tuple<const char *, const char *, const char *, const char *>;

class TerminalChoice : public DesktopRequests, public testing::WithParamInterface<TerminalCase>
{};

TEST_P(TerminalChoice, RunsTheScriptInTheFirstTerminalFound)
{
    const auto [variable, programs, terminal, arguments] = GetParam();
    qputenv("TERMINAL", variable);
    addPrograms(QLatin1String(programs));
    ASSERT_EQ(platform.openScriptInTerminal(u"/games/run.command"_s), *terminal != '\0');
    if (*terminal != '\0') {
        EXPECT_EQ(argumentsOf(QLatin1String(terminal)), QLatin1String(arguments) + u"|/games/run.command"_s);
    }
}

INSTANTIATE_TEST_SUITE_P(
    , TerminalChoice,
    testing::Values(TerminalCase{"mine --hold", "mine x-terminal-emulator", "mine", "--hold|-e"},
                    TerminalCase{"absent", "xterm", "xterm", "-e"},
                    TerminalCase{"", "x-terminal-emulator gnome-terminal", "x-terminal-emulator", "-e"},
                    TerminalCase{"", "gnome-terminal konsole", "gnome-terminal", "--"},
                    TerminalCase{"", "konsole xfce4-terminal", "konsole", "-e"},
                    TerminalCase{"", "xfce4-terminal xterm", "xfce4-terminal", "-x"}, TerminalCase{"", "", "", ""}));

// The support folder does not exist before the first setup; its volume still
// answers.
TEST(Capacity, IsKnownForExistingAndNotYetCreatedFolders)
{
    for (const QString &folder : {home(), inHome(u"Library/Application Support/Tarnhold"_s)})
        EXPECT_GT(LinuxPlatform().availableCapacity(folder).value_or(0), 0) << folder.toStdString();
}

// A fresh home has no ~/.local/share yet.
TEST(Trash, MovesAnItemIntoTheTrashOfAFreshHome)
{
    makeFolder(inHome(u"Desert Fury"_s));
    EXPECT_TRUE(LinuxPlatform().moveToTrash(inHome(u"Desert Fury"_s), nullptr));
    EXPECT_TRUE(QFileInfo(inHome(u".local/share/Trash/files/Desert Fury"_s)).isDir());
}

// A failure leaves the item where it is and says why. The Trash only renames,
// so an item on another file system (/proc) cannot go there; where no Trash
// can exist, Qt alone would move the item below the working folder and report
// success.
TEST(Trash, FailuresLeaveTheItemInPlaceAndSayWhy)
{
    LinuxPlatform platform;
    QString error;
    EXPECT_FALSE(platform.moveToTrash(inHome(u"Gone"_s), &error));
    EXPECT_EQ(error, u"“Gone” could not be moved to the Trash because it does not exist."_s);
    EXPECT_FALSE(platform.moveToTrash(u"/proc/version"_s, &error));
    EXPECT_EQ(error, u"“version” could not be moved to the Trash and was left where it is."_s);
    EXPECT_TRUE(QDir(inHome(u".local/share/Trash/info"_s)).isEmpty());

    // A data folder that cannot be made; the temporary home resets it for
    // the next test.
    qputenv("XDG_DATA_HOME", "/proc/version/share");
    makeFolder(inHome(u"Desert Fury"_s));
    EXPECT_FALSE(platform.moveToTrash(inHome(u"Desert Fury"_s), &error));
    EXPECT_EQ(error, u"“Desert Fury” could not be moved to the Trash and was left where it is."_s);
    EXPECT_TRUE(QFileInfo(inHome(u"Desert Fury"_s)).isDir());
}

} // namespace
