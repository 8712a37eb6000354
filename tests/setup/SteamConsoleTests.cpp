#include "SteamPhasePrinter.h"
#include "setup/SteamConsole.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

using Kind = SteamSessionPhase::Kind;

const QString rejected = QStringLiteral("Steam rejected the sign-in. Check the account name and password, then retry.");

// Chunks fed in order, and the phase and progress the last one leaves.
struct Output
{
    const char *name;
    QStringList chunks;
    std::optional<SteamSessionPhase> phase;
    std::optional<double> progress;
};

void PrintTo(const Output &output, std::ostream *out)
{
    *out << output.name;
}

class SteamConsoleRules : public testing::TestWithParam<Output>
{};

TEST_P(SteamConsoleRules, TheFirstMatchingRuleDecidesAndProgressComesFromTheChunk)
{
    SteamConsole console;
    SteamOutputEffect effect;
    for (const QString &chunk : GetParam().chunks)
        effect = console.consume(chunk);
    EXPECT_EQ(effect.phase, GetParam().phase);
    EXPECT_EQ(effect.progress, GetParam().progress);
}

INSTANTIATE_TEST_SUITE_P(
    Output, SteamConsoleRules,
    testing::Values(
        Output{"RejectionBeforeEverything",
               {QStringLiteral("Steam Guard code:"), QStringLiteral("FAILED Login Failure: Invalid Password 50%")},
               SteamSessionPhase::failed(rejected),
               std::nullopt},
        Output{"CodeBeforePassword", {QStringLiteral("PASSWORD: \nTwo-factor code:")}, Kind::guardCode, std::nullopt},
        Output{"PromptWithoutLineFeed",
               {QStringLiteral("Cached credentials not found.\n\nPassWord: ")},
               Kind::password,
               std::nullopt},
        Output{"PromptCutBetweenChunks",
               {QStringLiteral("Steam Guard co"), QStringLiteral("de:")},
               Kind::guardCode,
               std::nullopt},
        Output{"DownloadingWithProgress",
               {QStringLiteral(" UPDATE STATE (0x61) something, Progress: 42.50 (1 / 2)")},
               Kind::downloading,
               0.425},
        Output{"VerifyingWithProgressBelowOne",
               {QStringLiteral(" Update state (0x5) verifying install, progress: 12.00 (1 / 8)")},
               Kind::downloading,
               0.12},
        Output{"FullyInstalledWithoutFigures",
               {QStringLiteral("Success! App '2732960' fully installed.")},
               Kind::validating,
               std::nullopt},
        Output{"WholePercentDoesNotForceDownloading", {QStringLiteral("Extracting package 100%")}, std::nullopt, 1.0},
        Output{"PercentAboveHundred", {QStringLiteral("[250%] Done")}, std::nullopt, 1.0},
        Output{"LastProgressFigureWins",
               {QStringLiteral("progress: 10.00 7% progress:20.5 9%")},
               Kind::downloading,
               0.205},
        Output{"PercentWhenNoProgressFigure", {QStringLiteral("[ 33%] 12% of it")}, Kind::downloading, 0.12},
        Output{"BufferKeepsAnEarlierPrompt",
               {QStringLiteral("password: "), QStringLiteral("progress: 30.00")},
               Kind::password,
               std::nullopt},
        Output{"NothingToGoBy", {QStringLiteral("Loading Steam API...OK\n")}, std::nullopt, std::nullopt}),
    [](const testing::TestParamInfo<Output> &info) { return info.param.name; });

TEST(SteamConsole, ACredentialEmptiesTheBufferSoTheNextPromptDecides)
{
    SteamConsole console;
    EXPECT_EQ(console.consume(QStringLiteral("password: ")).phase, Kind::password);
    console.clearParseBuffer();
    EXPECT_EQ(console.consume(QStringLiteral("\nLogging in...")).phase, std::nullopt);
    EXPECT_EQ(console.consume(QStringLiteral("\nSteam Guard code:")).phase, Kind::guardCode);
    console.clearParseBuffer();
    // SteamCMD answers on the prompt's own line; it must not ask again.
    EXPECT_EQ(console.consume(QStringLiteral("OK\nWaiting for client config...OK\n")).phase, std::nullopt);
}

TEST(SteamProgress, ReadsTheLastFigureAndClampsIt)
{
    const std::pair<const char *, std::optional<double>> cases[] = {
        {"progress: 0.00", 0.0},
        {"progress:\t99.5 then 100%", 0.995},
        {"no figures at all", std::nullopt},
        {"progress: abc 5 %", 0.05},
        {"1.2.50%", 0.025},
        {"progress: 99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         "99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         "99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         "99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999",
         1.0},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(steamProgress(QString::fromLatin1(text)), expected) << text;
}

TEST(SteamConsole, TranscriptAndBufferKeepOnlyTheirEnds)
{
    SteamConsole console(QStringLiteral("Starting Valve SteamCMD…"));
    console.consume(QStringLiteral("x").repeated(19000) + QStringLiteral("tail"));
    EXPECT_EQ(console.transcript().size(), SteamConsole::transcriptLimit);
    EXPECT_TRUE(console.transcript().endsWith(QStringLiteral("xtail")));
    EXPECT_EQ(console.parseBuffer().size(), SteamConsole::parseBufferLimit);

    // A character written as two UTF-16 units is never cut in half.
    SteamConsole pairs;
    pairs.consume(QStringLiteral("🎮").repeated(9000) + QStringLiteral("z"));
    EXPECT_EQ(pairs.transcript().size(), SteamConsole::transcriptLimit - 1);
    EXPECT_TRUE(pairs.transcript().at(0).isHighSurrogate());
}

TEST(SteamConsole, ControlSequencesGoEvenWhenCutBetweenChunks)
{
    SteamConsole console(QStringLiteral("> "));
    for (const QString &chunk :
         {QStringLiteral("\x1B[0m Update \x1B"), QStringLiteral("[1;3"), QStringLiteral("2mstate\x1B["),
          QStringLiteral("?25h ok \x1B"), QStringLiteral("x lone escape")})
        console.consume(chunk);
    EXPECT_EQ(console.transcript(), QStringLiteral(">  Update state ok \x1Bx lone escape"));
}

// The phone's approval is asked for only while SteamCMD still waits for it.
TEST(SteamConsole, ApprovalWaitLastsWhileItIsTheLatestOutput)
{
    SteamConsole console;
    console.consume(QStringLiteral("This account is protected by a Steam Guard mobile authenticator.\n"));
    EXPECT_FALSE(console.awaitsApproval());
    const std::pair<QString, std::optional<SteamSessionPhase>> steps[] = {
        {QStringLiteral("Please confirm the login in the Steam Mobile app on your phone.\n\n"), Kind::guardCode},
        {QStringLiteral("Waiting for confirmation...\nWaiting for conf"), Kind::guardCode},
        {QStringLiteral("irmation...\n"), Kind::guardCode},
        {QStringLiteral("Waiting for confirmation...OK\n"), Kind::connecting},
        {QStringLiteral("Waiting for client config...OK\n"), std::nullopt},
    };
    for (const auto &[chunk, phase] : steps) {
        EXPECT_EQ(console.consume(chunk).phase, phase) << chunk.toStdString();
        EXPECT_EQ(console.awaitsApproval(), phase == Kind::guardCode) << chunk.toStdString();
    }

    SteamConsole codePrompt;
    EXPECT_EQ(codePrompt.consume(QStringLiteral("Two-factor code:")).phase, Kind::guardCode);
    EXPECT_FALSE(codePrompt.awaitsApproval());
}

TEST(SteamConsole, RemembersWhatItSaidAboutAFailure)
{
    const std::pair<const char *, std::optional<SteamReportedFailure>> cases[] = {
        {"ERROR! Failed to install app '2732960' (No subscription)\n", SteamReportedFailure::noSubscription},
        {"Error! App '2732960' state is 0x202 after update job.\n", SteamReportedFailure::diskNotWritable},
        {"Error! App '2732960' state is 0x606 after update job.\n", SteamReportedFailure::diskNotWritable},
        {"Error! App '2732960' state is 0x402 after update job.\n", std::nullopt},
    };
    for (const auto &[text, failure] : cases) {
        SteamConsole console;
        console.consume(QString::fromLatin1(text));
        console.consume(QStringLiteral("more output").repeated(300));
        EXPECT_EQ(console.reportedFailure(), failure) << text;
    }
}

} // namespace
