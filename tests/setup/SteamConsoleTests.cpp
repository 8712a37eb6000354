#include "setup/SteamConsole.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace Qt::Literals::StringLiterals;
using Kind = SteamSessionPhase::Kind;

// Chunks fed in order, then the phase and progress the last one leaves.
TEST(SteamConsole, TheFirstMatchingRuleDecidesAndProgressComesFromTheChunk)
{
    const SteamSessionPhase rejected =
        SteamSessionPhase::failed(u"Steam rejected the sign-in. Check the account name and password, then retry."_s);
    const std::tuple<QStringList, std::optional<SteamSessionPhase>, std::optional<double>> cases[] = {
        {{u"Steam Guard code:"_s, u"Login Failure: Invalid Password 50%"_s}, rejected, {}},
        {{u"PASSWORD: \nTwo-factor code:"_s}, Kind::guardCode, {}},
        {{u"Cached credentials not found.\n\nPassWord: "_s}, Kind::password, {}},
        {{u"Steam Guard co"_s, u"de:"_s}, Kind::guardCode, {}},
        // An earlier prompt keeps deciding until a credential answers it.
        {{u"password: "_s, u"progress: 30.00"_s}, Kind::password, {}},
        {{u" UPDATE STATE (0x61) x, Progress: 42.50 (1 / 2)"_s}, Kind::downloading, 0.425},
        {{u" Update state (0x5) verifying install, progress: 12.00 (1 / 8)"_s}, Kind::downloading, 0.12},
        {{u"Success! App '2732960' fully installed."_s}, Kind::validating, {}},
        {{u"Extracting package 100%"_s}, {}, 1.0},
        {{u"Loading Steam API...OK\n"_s}, {}, {}}};
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
    const std::pair<QString, std::optional<double>> cases[] = {{u"progress: 10.00 7% progress:\t20.5 9%"_s, 0.205},
                                                               {u"[ 33%] 12 % of it"_s, 0.12},
                                                               {u"progress: abc [250%]"_s, 1.0},
                                                               {u"1.2.50%"_s, 0.025},
                                                               {u"progress: "_s + u"9"_s.repeated(400), 1.0},
                                                               {u"no figures at all"_s, std::nullopt}};
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(steamProgress(text), expected) << text.left(40).toStdString();
}

// A character written as two UTF-16 units is never cut in half, and
// control sequences go even when cut between chunks.
TEST(SteamConsole, TranscriptAndBufferKeepOnlyTheirReadableEnds)
{
    SteamConsole console(u"Starting Valve SteamCMD…"_s);
    console.consume(u"x"_s.repeated(19990) + u"tail"_s);
    EXPECT_EQ(console.transcript(), u"x"_s.repeated(15996) + u"tail"_s);
    EXPECT_EQ(console.parseBuffer().size(), SteamConsole::parseBufferLimit);
    SteamConsole pairs;
    pairs.consume(u"🎮"_s.repeated(9000) + u"z"_s);
    EXPECT_EQ(pairs.transcript().size(), SteamConsole::transcriptLimit - 1);
    EXPECT_TRUE(pairs.transcript().at(0).isHighSurrogate());
    SteamConsole escapes(u">"_s);
    for (const QString &chunk :
         {u"\x1B[0m Update \x1B"_s, u"[1;3"_s, u"2mstate\x1B["_s, u"?25h ok \x1B"_s, u"x lone escape"_s})
        escapes.consume(chunk);
    EXPECT_EQ(escapes.transcript(), u"> Update state ok \x1Bx lone escape"_s);
}

// The phone's approval is asked for only while SteamCMD still waits for it.
TEST(SteamConsole, ApprovalWaitLastsWhileItIsTheLatestOutput)
{
    SteamConsole console;
    const std::tuple<QString, std::optional<SteamSessionPhase>, bool> steps[] = {
        {u"This account is protected by a Steam Guard mobile authenticator.\n"_s, std::nullopt, false},
        {u"Please confirm the login in the Steam Mobile app on your phone.\n\n"_s, Kind::guardCode, true},
        {u"Waiting for confirmation...\nWaiting for conf"_s, Kind::guardCode, true},
        {u"irmation...\n"_s, Kind::guardCode, true},
        {u"Waiting for confirmation...OK\n"_s, Kind::connecting, false},
        {u"Waiting for client config...OK\n"_s, std::nullopt, false},
        {u"Two-factor code:"_s, Kind::guardCode, false}};
    for (const auto &[chunk, phase, awaitsApproval] : steps) {
        EXPECT_EQ(console.consume(chunk).phase, phase) << chunk.toStdString();
        EXPECT_EQ(console.awaitsApproval(), awaitsApproval) << chunk.toStdString();
    }
}
