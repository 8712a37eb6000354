#include "PrivateBus.h"
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
// ~/NAME.PID.args, one file per run, then fails.
constexpr char standIn[] =
    "#!/bin/sh\n"
    "i=0; while [ ! -e ~/release ] && [ $i -lt 100 ]; do /bin/sleep 0.1; i=$((i+1)); done\n"
    "IFS='|'; [ -e ~/release ] && printf %s \"$*\" >~/.$$ && /bin/mv ~/.$$ ~/\"${0##*/}.$$.args\"\n"
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

    // The arguments of every run so far, once there has been one.
    static QStringList argumentsOf(const QString &name)
    {
        writeFile(inHome(u"release"_s));
        const QStringList filter{name + u".*.args"_s};
        EXPECT_TRUE(eventually([&] { return !QDir::home().entryList(filter, QDir::Files).isEmpty(); }))
            << name.toStdString() << " never ran";
        QStringList runs;
        for (const QString &record : QDir::home().entryList(filter, QDir::Files)) {
            QFile file(inHome(record));
            runs.append(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString());
        }
        return runs;
    }
};

// Requests over a private bus, started before PATH holds only stand-ins.
class BusRequests : public DesktopRequests
{
protected:
    PrivateBus bus;
};

// The file manager is asked to select the item; only when it fails does the
// containing folder open instead. Stand-ins record at once here, so an
// xdg-open started after the first request would be seen.
TEST_F(BusRequests, RevealSelectsTheItemOrOpensItsFolder)
{
    addPrograms(u"xdg-open"_s);
    writeFile(inHome(u"release"_s));
    FakeService fileManager(bus, u"org.freedesktop.FileManager1"_s, u"/org/freedesktop/FileManager1"_s,
                            [](const QDBusMessage &call) {
                                if (call.arguments().value(0).toStringList().value(0).contains(u"Replays"))
                                    return call.createErrorReply(QDBusError::Failed, u"No window"_s);
                                return call.createReply();
                            });
    LinuxPlatform onBus(bus.address());

    onBus.revealFile(u"/games/Maps/Tom's \"Map\""_s);
    ASSERT_TRUE(eventually([&] { return fileManager.calls.size() == 1; }));
    const QDBusMessage showItems = fileManager.calls.constFirst();
    EXPECT_EQ(showItems.interface() + u'.' + showItems.member(), u"org.freedesktop.FileManager1.ShowItems"_s);
    EXPECT_EQ(showItems.arguments(), QVariantList({QStringList{u"file:///games/Maps/Tom's%20%22Map%22"_s}, QString()}));

    onBus.revealFile(u"/games/Replays/Last Replay.rep"_s);
    EXPECT_EQ(argumentsOf(u"xdg-open"_s), QStringList{u"/games/Replays"_s});
    EXPECT_EQ(fileManager.calls.size(), 2);
}

// Without a session bus the portal has no preference, so the GTK theme
// decides, and a file is revealed by opening its folder, without waiting for
// anything.
TEST_F(DesktopRequests, WithoutABusNothingIsPreferredAndRevealOpensTheFolder)
{
    qputenv("GTK_THEME", "Adwaita:dark");
    qunsetenv("TARNHOLD_APPEARANCE");
    qunsetenv("TARNHOLD_REDUCED_MOTION");
    addPrograms(u"xdg-open"_s);
    LinuxPlatform unconnected(u"unix:path="_s + inHome(u"no-bus"_s));
    int changes = 0;
    unconnected.watchPreferences([&] { ++changes; });
    unconnected.revealFile(u"/games/Maps/Desert Fury"_s);
    EXPECT_EQ(argumentsOf(u"xdg-open"_s), QStringList{u"/games/Maps"_s});
    EXPECT_TRUE(unconnected.prefersDarkAppearance());
    EXPECT_FALSE(unconnected.prefersReducedMotion());
    EXPECT_EQ(changes, 0);
    qunsetenv("GTK_THEME");
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
        EXPECT_EQ(argumentsOf(QLatin1String(terminal)),
                  QStringList{QLatin1String(arguments) + u"|/games/run.command"_s});
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
