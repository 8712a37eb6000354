#include "PrivateBus.h"
#include "platform/LinuxPlatform.h"
#include "platform/LinuxRequirements.h"
#include "support/FileTree.h"
#include "support/Wait.h"

#include <gmock/gmock.h>

#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace FileTree;
using namespace Qt::StringLiterals;

namespace {

const QString appearance = u"org.freedesktop.appearance"_s;

// Answers ReadOne, or only Read as portals before version 2 do, with the
// appearance settings' values given (invalid ones and other keys are not
// found).
PrivateBus::Answer portalAnswers(bool knowsReadOne, const QVariant &colorScheme, const QVariant &reducedMotion)
{
    return [=](const QDBusMessage &call) -> std::optional<QDBusMessage> {
        if (call.member() == u"ReadOne" && !knowsReadOne)
            return call.createErrorReply(QDBusError::UnknownMethod, u"No such method “ReadOne”"_s);
        const QVariant key = call.arguments().value(0) == appearance ? call.arguments().value(1) : QVariant();
        const QVariant value = key == u"color-scheme"_s     ? colorScheme
                               : key == u"reduced-motion"_s ? reducedMotion
                                                            : QVariant();
        if (!value.isValid())
            return call.createErrorReply(u"org.freedesktop.portal.Error.NotFound"_s, u"Requested setting not found"_s);
        QVariant reply = QVariant::fromValue(QDBusVariant(value));
        if (call.member() == u"Read")
            reply = QVariant::fromValue(QDBusVariant(reply));
        return call.createReply(reply);
    };
}

QDBusMessage settingChanged(const QString &group, const QString &key, const QVariant &value)
{
    return QDBusMessage::createSignal(u"/org/freedesktop/portal/desktop"_s, u"org.freedesktop.portal.Settings"_s,
                                      u"SettingChanged"_s)
           << group << key << QVariant::fromValue(QDBusVariant(value));
}

// A Linux platform whose desktop services are played on a private bus, with
// a dark GTK theme, so that the portal's "light" and its lack of a
// preference tell apart.
//
// Desktop requests start stand-ins from a PATH of their own; the bus starts
// before that. Once the test releases it, a stand-in appends its arguments
// joined by "|" as a line to ~/NAME.args and fails. A request that waited
// for its child would never let the test release it, and so would leave
// nothing recorded.
class Desktop : public testing::Test
{
protected:
    const QByteArray path = qgetenv("PATH");
    PrivateBus bus;
    LinuxPlatform platform{bus.address()};
    int changes = 0;

    void SetUp() override
    {
        qputenv("PATH", QFile::encodeName(inHome(u"bin"_s)));
        qputenv("GTK_THEME", "Adwaita:dark");
        qunsetenv("TARNHOLD_APPEARANCE");
        qunsetenv("TARNHOLD_REDUCED_MOTION");
    }
    void TearDown() override
    {
        qputenv("PATH", path);
        qunsetenv("GTK_THEME");
    }

    void servePortal(PrivateBus::Answer answer)
    {
        bus.serve(u"org.freedesktop.portal.Desktop"_s, u"/org/freedesktop/portal/desktop"_s, std::move(answer));
        platform.watchPreferences([this] { ++changes; });
    }

    static void addProgram(const QString &name)
    {
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
TEST_F(Desktop, RevealSelectsTheItemOrOpensItsFolder)
{
    addProgram(u"xdg-open"_s);
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

// No terminal at first; then TERMINAL names a missing program, with options
// of its own, and the first of the others found runs the script.
TEST_F(Desktop, RunsTheScriptInTheFirstTerminalFound)
{
    EXPECT_FALSE(platform.openScriptInTerminal(u"/games/run.command"_s));
    qputenv("TERMINAL", "mine --hold");
    for (const auto &[program, options] :
         {std::pair(u"xterm"_s, u"-e"_s), {u"gnome-terminal"_s, u"--"_s}, {u"mine"_s, u"--hold|-e"_s}}) {
        addProgram(program);
        ASSERT_TRUE(platform.openScriptInTerminal(u"/games/run.command"_s));
        EXPECT_EQ(argumentsOf(program), QStringList{options + u"|/games/run.command"_s});
    }
}

// The portal's answers (invalid: not found) and what the platform prefers
// after them, with the number of changes that took.
using AnswerCase = std::tuple<const char *, bool, QVariant, QVariant, bool, bool, int>;

class PortalAnswers : public Desktop, public testing::WithParamInterface<AnswerCase>
{};

// Each case ends with a change of reduced motion, which also shows that the
// answers and signals before it have all been taken in.
TEST_P(PortalAnswers, SetThePreferencesAndLaterChangesFollow)
{
    const auto &[name, knowsReadOne, colorScheme, reducedMotion, dark, reduced, changeCount] = GetParam();
    servePortal(portalAnswers(knowsReadOne, colorScheme, reducedMotion));
    ASSERT_TRUE(eventually([&] { return bus.calls.size() == (knowsReadOne ? 2 : 4); }));

    // Other settings change nothing.
    bus.send(settingChanged(u"org.gnome.desktop.interface"_s, u"color-scheme"_s, 2u));
    bus.send(settingChanged(appearance, u"contrast"_s, 1u));
    bus.send(settingChanged(appearance, u"reduced-motion"_s, uint(!reduced)));
    ASSERT_TRUE(eventually([&] { return changes == changeCount + 1; })) << changes;
    EXPECT_NE(platform.prefersReducedMotion(), reduced);
    EXPECT_EQ(platform.prefersDarkAppearance(), dark);
}

INSTANTIATE_TEST_SUITE_P(, PortalAnswers,
                         testing::Values(AnswerCase{"Dark", true, 1u, 1u, true, true, 2},
                                         AnswerCase{"Light", true, 2u, 0u, false, false, 1},
                                         AnswerCase{"OnlyRead", false, 2u, 1u, false, true, 2},
                                         AnswerCase{"NoPreference", true, 0u, 0u, true, false, 0},
                                         AnswerCase{"NotFound", true, {}, {}, true, false, 0},
                                         AnswerCase{"UnknownValues", true, 7u, 2u, true, false, 0},
                                         AnswerCase{"OtherTypes", true, 1, u"1"_s, true, false, 0}),
                         [](const testing::TestParamInfo<AnswerCase> &info) { return std::get<0>(info.param); });

// A change that arrives while the first read is unanswered is newer than
// that read's answer; the other read's late answer still counts.
TEST_F(Desktop, AChangeOutdatesAReadAnsweredAfterIt)
{
    servePortal([](const QDBusMessage &) -> std::optional<QDBusMessage> { return std::nullopt; });
    ASSERT_TRUE(eventually([&] { return bus.held.size() == 2; }));
    bus.send(settingChanged(appearance, u"color-scheme"_s, 2u));
    ASSERT_TRUE(eventually([&] { return !platform.prefersDarkAppearance(); }));

    // Dark and reduced motion, in the order asked: colour scheme first.
    for (const QDBusMessage &read : std::as_const(bus.held))
        bus.send(read.createReply(QVariant::fromValue(QDBusVariant(1u))));
    ASSERT_TRUE(eventually([&] { return platform.prefersReducedMotion(); }));
    EXPECT_FALSE(platform.prefersDarkAppearance());
    EXPECT_EQ(changes, 2);
}

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

    const auto refusal = [&](const QString &path) {
        QString error;
        EXPECT_FALSE(platform.moveToTrash(path, &error));
        return error;
    };
    EXPECT_EQ(refusal(inHome(u"Gone"_s)), u"“Gone” could not be moved to the Trash because it does not exist."_s);
    EXPECT_EQ(refusal(u"/proc/version"_s), u"“version” could not be moved to the Trash and was left where it is."_s);
    EXPECT_EQ(QDir(inHome(u".local/share/Trash/files"_s)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{u"Desert Fury"_s});

    // A data folder that cannot be made; the temporary home resets it for
    // the next test.
    qputenv("XDG_DATA_HOME", "/proc/version/share");
    makeFolder(inHome(u"Maps"_s));
    EXPECT_EQ(refusal(inHome(u"Maps"_s)), u"“Maps” could not be moved to the Trash and was left where it is."_s);
    EXPECT_TRUE(QFileInfo(inHome(u"Maps"_s)).isDir());
}

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
            writeFile(root.filePath(file));
        EXPECT_THAT(unmetLinuxRequirement(root.path()).value_or(u""_s).toStdString(), testing::ContainsRegex(unmet));
    }
}

} // namespace
