#include "platform/LinuxPlatform.h"
#include "platform/ScopedVariable.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTest>

// Reveal, open and terminal requests start stand-in programs from a PATH of
// their own. Each stand-in waits until the test releases it before it records
// its arguments (giving up after a while), so a request that waited for its
// child would leave nothing recorded.
namespace {

class DesktopRequests : public testing::Test
{
protected:
    const QString bin = FileTree::inHome(QStringLiteral("bin"));
    ScopedVariable path{"PATH", bin};
    ScopedVariable terminal{"TERMINAL", QString()};
    LinuxPlatform platform;

    void SetUp() override { FileTree::makeFolder(bin); }

    // A stand-in that records its arguments, one a line, in NAME.args.
    void addProgram(const QString &name, int exitCode = 0) const
    {
        const QString release = FileTree::inHome(QStringLiteral("release"));
        const QString record = FileTree::inHome(name + QStringLiteral(".args"));
        FileTree::writeExecutable(
            bin + u'/' + name,
            QStringLiteral("#!/bin/sh\n"
                           "i=0\n"
                           "while [ ! -e '%1' ] && [ $i -lt 200 ]; do /bin/sleep 0.1; i=$((i+1)); done\n"
                           "[ -e '%1' ] || exit 1\n"
                           "printf '%s\\n' \"$@\" > '%2.tmp' && /bin/mv '%2.tmp' '%2'\n"
                           "exit %3\n")
                .arg(release, record)
                .arg(exitCode)
                .toUtf8());
    }

    // Releases the stand-ins and returns the arguments NAME received.
    static QStringList argumentsOf(const QString &name)
    {
        FileTree::writeFile(FileTree::inHome(QStringLiteral("release")));
        QFile record(FileTree::inHome(name + QStringLiteral(".args")));
        EXPECT_TRUE(QTest::qWaitFor([&] { return record.exists(); }, 15000)) << name.toStdString() << " never ran";
        if (!record.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(record.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
};

TEST_F(DesktopRequests, RevealAsksTheFileManagerToSelectTheItem)
{
    addProgram(QStringLiteral("gdbus"));
    platform.revealFile(QStringLiteral("/games/Maps/Tom's Map"));

    EXPECT_EQ(
        argumentsOf(QStringLiteral("gdbus")),
        QStringList({QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--timeout"),
                     QStringLiteral("10"), QStringLiteral("--dest"), QStringLiteral("org.freedesktop.FileManager1"),
                     QStringLiteral("--object-path"), QStringLiteral("/org/freedesktop/FileManager1"),
                     QStringLiteral("--method"), QStringLiteral("org.freedesktop.FileManager1.ShowItems"),
                     QStringLiteral("['file:///games/Maps/Tom%27s%20Map']"), QStringLiteral("\"\"")}));
}

TEST_F(DesktopRequests, RevealOpensTheContainingFolderWhenNoFileManagerAnswers)
{
    addProgram(QStringLiteral("gdbus"), 1);
    addProgram(QStringLiteral("xdg-open"));
    platform.revealFile(QStringLiteral("/games/Maps/Tom's Map"));

    EXPECT_EQ(argumentsOf(QStringLiteral("xdg-open")), QStringList(QStringLiteral("/games/Maps")));
}

TEST_F(DesktopRequests, OpenFolderHandsThePathToXdgOpen)
{
    addProgram(QStringLiteral("xdg-open"));
    platform.openFolder(QStringLiteral("/games/Library/Logs"));

    EXPECT_EQ(argumentsOf(QStringLiteral("xdg-open")), QStringList(QStringLiteral("/games/Library/Logs")));
}

TEST_F(DesktopRequests, NoTerminalMeansTheScriptIsNotOpened)
{
    EXPECT_FALSE(platform.openScriptInTerminal(QStringLiteral("/games/download.command")));
}

struct TerminalCase
{
    const char *name;
    QString terminalVariable;
    QStringList programs;
    QString expectedProgram;
    QStringList expectedArguments;
};

class TerminalChoice : public DesktopRequests, public testing::WithParamInterface<TerminalCase>
{};

TEST_P(TerminalChoice, RunsTheScriptInTheFirstTerminalFound)
{
    const TerminalCase &given = GetParam();
    for (const QString &program : given.programs)
        addProgram(program);
    const ScopedVariable variable("TERMINAL", given.terminalVariable);

    ASSERT_TRUE(platform.openScriptInTerminal(QStringLiteral("/games/download.command")));
    EXPECT_EQ(argumentsOf(given.expectedProgram),
              given.expectedArguments + QStringList(QStringLiteral("/games/download.command")));
}

// {} leaves TERMINAL unset.
INSTANTIATE_TEST_SUITE_P(
    , TerminalChoice,
    testing::Values(
        TerminalCase{"TerminalVariableWithOptions", "mine --hold", {"mine", "xterm"}, "mine", {"--hold", "-e"}},
        TerminalCase{"MissingTerminalVariableFallsThrough", "absent", {"xterm"}, "xterm", {"-e"}},
        TerminalCase{
            "DebianAlternativeFirst", {}, {"x-terminal-emulator", "gnome-terminal"}, "x-terminal-emulator", {"-e"}},
        TerminalCase{"GnomeTerminalTakesDoubleDash", {}, {"gnome-terminal", "xterm"}, "gnome-terminal", {"--"}},
        TerminalCase{"XfceTerminalTakesX", {}, {"xfce4-terminal"}, "xfce4-terminal", {"-x"}}),
    [](const testing::TestParamInfo<TerminalCase> &info) { return std::string(info.param.name); });

} // namespace
