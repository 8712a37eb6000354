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

// Desktop requests start stand-ins from a PATH of their own; the bus starts
// before that. Once the test releases it, a stand-in appends its arguments
// joined by "|" as a line to ~/NAME.args and fails. A request that waited
// for its child would never let the test release it, and so would leave
// nothing recorded.
class DesktopRequests : public testing::Test
{
protected:
    const QByteArray path = qgetenv("PATH");
    PrivateBus bus;
    LinuxPlatform platform{bus.address()};

    void SetUp() override { qputenv("PATH", QFile::encodeName(inHome(u"bin"_s))); }
    void TearDown() override { qputenv("PATH", path); }

    static void addPrograms(const QString &names)
    {
        for (const QString &name : names.split(u' ', Qt::SkipEmptyParts))
            writeExecutable(inHome(u"bin/"_s + name),
                            "#!/bin/sh\n"
                            "i=0; while [ ! -e ~/release ] && [ $i -lt 100 ]; do /bin/sleep 0.1; i=$((i+1)); done\n"
                            "IFS='|'; [ -e ~/release ] && printf '%s\\n' \"$*\" >>~/\"${0##*/}.args\"\nexit 1\n");
    }

    // The arguments of every run so far, once there has been one.
    static QStringList argumentsOf(const QString &name)
    {
        writeFile(inHome(u"release"_s));
        QFile file(inHome(name + u".args"_s));
        EXPECT_TRUE(eventually([&] { return file.size() > 0; })) << name.toStdString() << " never ran";
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)
                                              : QStringList();
    }
};

// The file manager is asked to select the item; only when it fails does the
// containing folder open instead. Stand-ins record at once here, so an
// xdg-open started after the first request would be seen.
TEST_F(DesktopRequests, RevealSelectsTheItemOrOpensItsFolder)
{
    addPrograms(u"xdg-open"_s);
    writeFile(inHome(u"release"_s));
    bus.serve(u"org.freedesktop.FileManager1"_s, u"/org/freedesktop/FileManager1"_s, [](const QDBusMessage &call) {
        if (call.arguments().value(0).toStringList().value(0).contains(u"Replays"))
            return call.createErrorReply(QDBusError::Failed, u"No window"_s);
        return call.createReply();
    });

    platform.revealFile(u"/games/Maps/Tom's \"Map\""_s);
    ASSERT_TRUE(eventually([&] { return bus.calls.size() == 1; }));
    const QDBusMessage showItems = bus.calls.constFirst();
    EXPECT_EQ(showItems.interface() + u'.' + showItems.member(), u"org.freedesktop.FileManager1.ShowItems"_s);
    EXPECT_EQ(showItems.arguments(), QVariantList({QStringList{u"file:///games/Maps/Tom's%20%22Map%22"_s}, QString()}));

    platform.revealFile(u"/games/Replays/Last Replay.rep"_s);
    EXPECT_EQ(argumentsOf(u"xdg-open"_s), QStringList{u"/games/Replays"_s});
    EXPECT_EQ(bus.calls.size(), 2);
}

// TERMINAL (with options of its own, or naming a program that is missing),
// the programs on PATH, the terminal that runs the script (none when empty)
// and its arguments.
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

INSTANTIATE_TEST_SUITE_P(, TerminalChoice,
                         testing::Values(TerminalCase{"mine --hold", "mine x-terminal-emulator", "mine", "--hold|-e"},
                                         TerminalCase{"absent", "xterm", "xterm", "-e"},
                                         TerminalCase{"", "gnome-terminal konsole", "gnome-terminal", "--"},
                                         TerminalCase{"", "", "", ""}));

// The support folder does not exist before the first setup; its volume still
// answers.
TEST(Capacity, IsKnownForExistingAndNotYetCreatedFolders)
{
    for (const QString &folder : {home(), inHome(u"Library/Application Support/Tarnhold"_s)})
        EXPECT_GT(LinuxPlatform().availableCapacity(folder).value_or(0), 0) << folder.toStdString();
}

// A fresh home has no ~/.local/share yet. A failure leaves the item where it
// is and says why. The Trash only renames, so an item on another file system
// (/proc) cannot go there; where no Trash can exist, Qt alone would move the
// item below the working folder and report success.
TEST(Trash, MovesAnItemIntoTheTrashOfAFreshHomeOrLeavesItAndSaysWhy)
{
    LinuxPlatform platform;
    makeFolder(inHome(u"Desert Fury"_s));
    EXPECT_TRUE(platform.moveToTrash(inHome(u"Desert Fury"_s), nullptr));
    EXPECT_TRUE(QFileInfo(inHome(u".local/share/Trash/files/Desert Fury"_s)).isDir());

    QString error;
    EXPECT_FALSE(platform.moveToTrash(inHome(u"Gone"_s), &error));
    EXPECT_EQ(error, u"“Gone” could not be moved to the Trash because it does not exist."_s);
    EXPECT_FALSE(platform.moveToTrash(u"/proc/version"_s, &error));
    EXPECT_EQ(error, u"“version” could not be moved to the Trash and was left where it is."_s);
    EXPECT_EQ(QDir(inHome(u".local/share/Trash/files"_s)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{u"Desert Fury"_s});

    // A data folder that cannot be made; the temporary home resets it for
    // the next test.
    qputenv("XDG_DATA_HOME", "/proc/version/share");
    makeFolder(inHome(u"Maps"_s));
    EXPECT_FALSE(platform.moveToTrash(inHome(u"Maps"_s), &error));
    EXPECT_EQ(error, u"“Maps” could not be moved to the Trash and was left where it is."_s);
    EXPECT_TRUE(QFileInfo(inHome(u"Maps"_s)).isDir());
}

} // namespace
