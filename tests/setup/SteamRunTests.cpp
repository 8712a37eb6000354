#include "SteamPhasePrinter.h"
#include "base/Locations.h"
#include "setup/SteamAccount.h"
#include "setup/SteamCmdCommand.h"
#include "setup/SteamRunEnd.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

TEST(SteamAccount, TrimsTheNameAndAcceptsOnlyLettersMarksDigitsAndUnderscores)
{
    const QString empty = QStringLiteral("Enter a name.");
    const QString invalid = QStringLiteral("Steam account names may contain letters, numbers and underscores only.");
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("  gordon_1 \n"), QString()},
        {QStringLiteral("Søren"), QString()},
        {QStringLiteral("Se\u0301verine٣"), QString()},
        {QStringLiteral("x").repeated(64), QString()},
        {QStringLiteral("\t \n"), empty},
        {QStringLiteral("gordon freeman"), invalid},
        {QStringLiteral("gordon.freeman"), invalid},
        {QStringLiteral("gordon'"), invalid},
        {QStringLiteral("x").repeated(65), invalid},
    };
    for (const auto &[typed, refusal] : cases) {
        const SteamAccountCheck check = checkSteamAccount(typed, empty);
        EXPECT_EQ(check.refusal, refusal) << typed.toStdString();
        EXPECT_EQ(check.name, typed.trimmed());
    }
}

TEST(SteamCmdCommand, FallsBackWhenTarnholdsEnvironmentLacksAVariable)
{
    QProcessEnvironment own;
    own.insert(QStringLiteral("USER"), QStringLiteral("gordon"));
    own.insert(QStringLiteral("SECRET_TOKEN"), QStringLiteral("never passed on"));
    const QProcessEnvironment environment = SteamCmdCommand::environment(own);
    EXPECT_EQ(environment.keys().size(), 6);
    EXPECT_EQ(environment.value(QStringLiteral("HOME")), Locations::homeFolder());
    EXPECT_EQ(environment.value(QStringLiteral("USER")), QStringLiteral("gordon"));
    EXPECT_FALSE(environment.value(QStringLiteral("LOGNAME")).isEmpty());
    EXPECT_EQ(environment.value(QStringLiteral("TMPDIR")), QDir::tempPath());
    EXPECT_EQ(environment.value(QStringLiteral("LANG")), QStringLiteral("C.UTF-8"));
}

// Tarnhold sees only the status of a run in a Terminal window.
TEST(SteamRunEnd, TerminalRunEndsWithTheSentenceForItsStatus)
{
    const auto failed = [](const char *text) { return SteamSessionPhase::failed(QString::fromUtf8(text)); };
    const std::tuple<int, bool, SteamSessionPhase> cases[] = {
        {0, true, SteamSessionPhase::Kind::complete},
        {-1, false,
         failed("The Terminal window was closed before SteamCMD finished. The partial download was kept; retry to "
                "continue.")},
        {5, false,
         failed("Steam rejected the sign-in. Check the account name, password and Steam Guard approval, then retry.")},
        {0, false, failed("SteamCMD stopped with code 0. The partial download was kept; retry to continue.")},
        {7, false,
         failed("SteamCMD refused to run because its folder belongs to another user. Move Tarnhold’s SteamCMD folder "
                "to the Trash, return to the previous step to download it again, then retry.")},
    };
    for (const auto &[status, complete, phase] : cases)
        EXPECT_EQ(phaseAfterTerminalRun({status, complete, std::nullopt}), phase) << status;
}

} // namespace
