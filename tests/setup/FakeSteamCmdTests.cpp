#include "support/FileTree.h"
#include "support/SteamCmdFixture.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QProcess>

namespace {

// The fake SteamCMD proves its scenarios the way Tarnhold will drive it: the
// fixed arguments, a bare environment, the console on pipes.
class FakeSteamCmd : public testing::Test
{
protected:
    void SetUp() override { steam.install(); }

    void start(QProcess &process) const
    {
        QProcessEnvironment environment;
        for (const char *name : {"HOME", "USER", "LOGNAME", "TMPDIR", "LANG"})
            environment.insert(QString::fromLatin1(name), qEnvironmentVariable(name, QStringLiteral("x")));
        environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin:/usr/sbin:/sbin"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(steam.script(), {QStringLiteral("+@sSteamCmdForcePlatformType"), QStringLiteral("windows"),
                                       QStringLiteral("+force_install_dir"), game, QStringLiteral("+login"),
                                       QStringLiteral("gordon_1"), QStringLiteral("+app_update"),
                                       QStringLiteral("2732960"), QStringLiteral("validate"), QStringLiteral("+quit")});
        ASSERT_TRUE(process.waitForStarted());
    }

    // Runs to the end with the whole input typed ahead; the status and output.
    std::pair<int, QString> run(const QByteArray &input) const
    {
        QProcess process;
        start(process);
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(20000));
        return {process.exitCode(), QString::fromUtf8(process.readAll())};
    }

    QString manifest() const
    {
        QFile file(QDir(game).filePath(QStringLiteral("steamapps/appmanifest_2732960.acf")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    const QString folder = FileTree::inHome(QStringLiteral("SteamCMD"));
    const QString game = FileTree::inHome(QStringLiteral("SteamGame"));
    const SteamCmdFixture steam{folder};
};

// Prompts end without a line feed and wait for their answer; the run
// records how it was started, installs the game at the folder's top, and no
// typed secret reaches a file.
TEST_F(FakeSteamCmd, SignsInWithPasswordAndMailedCodeThenInstalls)
{
    steam.setScenario({.guard = SteamCmdScenario::Guard::email});
    QProcess process;
    start(process);
    QString output;
    for (const auto &[prompt, answer] :
         {std::pair{"password: ", "correct horse\n"}, {"Steam Guard code:", "F4K3C\n"}}) {
        ASSERT_TRUE(eventually([&] {
            output += QString::fromUtf8(process.readAll());
            return output.endsWith(QString::fromLatin1(prompt));
        })) << output.toStdString();
        process.write(answer);
    }
    ASSERT_TRUE(process.waitForFinished(20000));
    output += QString::fromUtf8(process.readAll());
    EXPECT_EQ(process.exitCode(), 0);
    for (const char *line : {"Logging in user 'gordon_1' [U:1:0] to Steam Public...\n", "Steam Guard code:OK\n",
                             "Waiting for user info...OK\n",
                             "\x1b[0m Update state (0x61) downloading, progress: 50.00 (854232504 / 1708465008)\n",
                             "Success! App '2732960' fully installed."})
        EXPECT_TRUE(output.contains(QString::fromLatin1(line))) << line;

    EXPECT_TRUE(QFile::exists(QDir(game).filePath(QStringLiteral("Generals.exe"))));
    EXPECT_TRUE(manifest().contains(QStringLiteral("\t\"StateFlags\"\t\t\"4\"\n")));
    EXPECT_EQ(steam.arguments().value(3), game);
    EXPECT_EQ(steam.environment().size(), 6);
    EXPECT_EQ(steam.workingFolder(), folder);
    for (QDirIterator files(FileTree::home(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         files.hasNext();) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray contents = file.readAll();
        EXPECT_FALSE(contents.contains("correct horse") || contents.contains("F4K3C")) << file.fileName().toStdString();
    }
}

struct Ending
{
    const char *name;
    SteamCmdScenario scenario;
    QByteArray input;
    int status;
    const char *lastLines;
};

void PrintTo(const Ending &ending, std::ostream *stream)
{
    *stream << ending.name;
}

class FakeSteamCmdEndings : public FakeSteamCmd, public testing::WithParamInterface<Ending>
{};

TEST_P(FakeSteamCmdEndings, EndWithSteamCmdsStatusAndWords)
{
    steam.setScenario(GetParam().scenario);
    const auto [status, output] = run(GetParam().input);
    EXPECT_EQ(status, GetParam().status);
    EXPECT_TRUE(output.toStdString().ends_with(GetParam().lastLines)) << output.toStdString();
    EXPECT_EQ(QFile::exists(QDir(game).filePath(QStringLiteral("Generals.exe"))), status == 0);
}

using Guard = SteamCmdScenario::Guard;
using Job = SteamCmdScenario::Job;
INSTANTIATE_TEST_SUITE_P(
    Scenarios, FakeSteamCmdEndings,
    testing::Values(Ending{"Approval", {.guard = Guard::approval}, "correct horse\n", 0, "fully installed.\n"},
                    Ending{"WrongPassword",
                           {},
                           "correct hose\n",
                           5,
                           "to Steam Public...Login Failure: Invalid Password\nFAILED with result code 5\n"},
                    Ending{"WrongCode",
                           {.guard = Guard::authenticator},
                           "correct horse\n123456\n",
                           5,
                           "Two-factor code:FAILED (Account logon denied, need two-factor code)\n"},
                    Ending{"NoSubscription",
                           {.job = Job::noSubscription},
                           "correct horse\n",
                           8,
                           "ERROR! Failed to install app '2732960' (No subscription)\n"},
                    Ending{"FullDisk",
                           {.job = Job::failedState, .failedState = QStringLiteral("0x202")},
                           "correct horse\n",
                           8,
                           "Error! App '2732960' state is 0x202 after update job.\n"},
                    Ending{"ForeignOwner", {.foreignOwner = true}, "", 7, ""}),
    [](const testing::TestParamInfo<Ending> &info) { return info.param.name; });

// A run stopped at its hold keeps its partial files; the next run checks
// them and goes on from there.
TEST_F(FakeSteamCmd, HeldRunStopsHalfwayAndTheNextRunContinues)
{
    steam.setScenario({.holdUntil = FileTree::inHome(QStringLiteral("release"))});
    QProcess process;
    start(process);
    process.write("correct horse\n");
    ASSERT_TRUE(eventually([&] { return steam.isHolding(); }));
    EXPECT_TRUE(manifest().contains(QStringLiteral("\t\"BytesDownloaded\"\t\t\"854232504\"\n")));
    process.terminate();
    ASSERT_TRUE(process.waitForFinished());

    steam.setScenario({});
    const auto [status, output] = run("correct horse\n");
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(output.contains(QStringLiteral("verifying install, progress: 50.00 (854232504 / 1708465008)\n")));
    EXPECT_FALSE(output.contains(QStringLiteral("downloading, progress: 50.00")));
    EXPECT_TRUE(output.contains(QStringLiteral("downloading, progress: 62.50")));
}

// Unpacked as Tarnhold unpacks Valve's archive, the script lands directly in
// the folder, ready to run.
TEST(SteamCmdArchive, UnpacksTheScriptDirectlyIntoTheFolder)
{
    const QString archive = FileTree::inHome(QStringLiteral("steamcmd_linux.tar.gz"));
    const QString folder = FileTree::inHome(QStringLiteral("SteamCMD"));
    FileTree::writeFile(archive, SteamCmdFixture::archive());
    FileTree::makeFolder(folder);
    ASSERT_EQ(QProcess::execute(QStringLiteral("tar"), {QStringLiteral("-xzf"), archive, QStringLiteral("-C"), folder}),
              0);
    EXPECT_TRUE(QFileInfo(SteamCmdFixture(folder).script()).isExecutable());
    EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("linux32/steamcmd"))));
}

} // namespace
