#include "SteamPhasePrinter.h"
#include "setup/SteamConsole.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

using Kind = SteamSessionPhase::Kind;

// Chunks fed in order, then the phase and progress the last one leaves.
TEST(SteamConsole, TheFirstMatchingRuleDecidesAndProgressComesFromTheChunk)
{
    const SteamSessionPhase rejected = SteamSessionPhase::failed(
        QStringLiteral("Steam rejected the sign-in. Check the account name and password, then retry."));
    const std::tuple<QStringList, std::optional<SteamSessionPhase>, std::optional<double>> cases[] = {
        {{QStringLiteral("Steam Guard code:"), QStringLiteral("Login Failure: Invalid Password 50%")}, rejected, {}},
        {{QStringLiteral("PASSWORD: \nTwo-factor code:")}, Kind::guardCode, {}},
        {{QStringLiteral("Cached credentials not found.\n\nPassWord: ")}, Kind::password, {}},
        {{QStringLiteral("Steam Guard co"), QStringLiteral("de:")}, Kind::guardCode, {}},
        // An earlier prompt keeps deciding until a credential answers it.
        {{QStringLiteral("password: "), QStringLiteral("progress: 30.00")}, Kind::password, {}},
        {{QStringLiteral(" UPDATE STATE (0x61) x, Progress: 42.50 (1 / 2)")}, Kind::downloading, 0.425},
        {{QStringLiteral(" Update state (0x5) verifying install, progress: 12.00 (1 / 8)")}, Kind::downloading, 0.12},
        {{QStringLiteral("Success! App '2732960' fully installed.")}, Kind::validating, {}},
        {{QStringLiteral("Extracting package 100%")}, {}, 1.0},
        {{QStringLiteral("Loading Steam API...OK\n")}, {}, {}},
    };
    for (const auto &[chunks, phase, progress] : cases) {
        SteamConsole console;
        SteamOutputEffect effect;
        for (const QString &chunk : chunks)
            effect = console.consume(chunk);
        EXPECT_EQ(effect.phase, phase) << chunks.join(u'|').toStdString();
        EXPECT_EQ(effect.progress, progress) << chunks.join(u'|').toStdString();
    }
}

TEST(SteamProgress, ReadsTheLastFigureAndClampsIt)
{
    const std::pair<QString, std::optional<double>> cases[] = {
        {QStringLiteral("progress: 10.00 7% progress:\t20.5 9%"), 0.205},
        {QStringLiteral("[ 33%] 12 % of it"), 0.12},
        {QStringLiteral("progress: abc [250%]"), 1.0},
        {QStringLiteral("1.2.50%"), 0.025},
        {QStringLiteral("progress: ") + QStringLiteral("9").repeated(400), 1.0},
        {QStringLiteral("no figures at all"), std::nullopt},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(steamProgress(text), expected) << text.left(40).toStdString();
}

TEST(SteamConsole, TranscriptAndBufferKeepOnlyTheirEnds)
{
    SteamConsole console(QStringLiteral("Starting Valve SteamCMD…"));
    console.consume(QStringLiteral("x").repeated(19990) + QStringLiteral("tail"));
    EXPECT_EQ(console.transcript(), QStringLiteral("x").repeated(15996) + QStringLiteral("tail"));
    EXPECT_EQ(console.parseBuffer().size(), SteamConsole::parseBufferLimit);

    // A character written as two UTF-16 units is never cut in half.
    SteamConsole pairs;
    pairs.consume(QStringLiteral("🎮").repeated(9000) + QStringLiteral("z"));
    EXPECT_EQ(pairs.transcript().size(), SteamConsole::transcriptLimit - 1);
    EXPECT_TRUE(pairs.transcript().at(0).isHighSurrogate());
}

TEST(SteamConsole, ControlSequencesGoEvenWhenCutBetweenChunks)
{
    SteamConsole console(QStringLiteral(">"));
    for (const QString &chunk :
         {QStringLiteral("\x1B[0m Update \x1B"), QStringLiteral("[1;3"), QStringLiteral("2mstate\x1B["),
          QStringLiteral("?25h ok \x1B"), QStringLiteral("x lone escape")})
        console.consume(chunk);
    EXPECT_EQ(console.transcript(), QStringLiteral("> Update state ok \x1Bx lone escape"));
}

// The phone's approval is asked for only while SteamCMD still waits for it.
TEST(SteamConsole, ApprovalWaitLastsWhileItIsTheLatestOutput)
{
    SteamConsole console;
    const std::pair<QString, std::optional<SteamSessionPhase>> steps[] = {
        {QStringLiteral("This account is protected by a Steam Guard mobile authenticator.\n"), std::nullopt},
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
    console.consume(QStringLiteral("Two-factor code:"));
    EXPECT_FALSE(console.awaitsApproval());
}

} // namespace
