#include "SetupFlowTest.h"
#include "base/Locations.h"
#include "support/Installation.h"
#include "support/Wait.h"

using namespace Qt::StringLiterals;

namespace {

// Steps outside 0 to 5 do not exist, and texts that name the Mac read as
// this system's own.
TEST(SetupSteps, ComeFromRawValuesAndSpeakOfThisSystem)
{
    EXPECT_EQ(setupStepFromRawValue(-1), std::nullopt);
    EXPECT_EQ(setupStepFromRawValue(6), std::nullopt);
    for (int raw = 0; raw <= 5; ++raw) {
        const SetupStep step = setupStepFromRawValue(raw).value();
        for (const QString &text : {heading(step), actionLabel(step), description(step)})
            EXPECT_FALSE(text.contains(u"Mac"_s)) << text.toStdString();
    }
    EXPECT_EQ(heading(SetupStep::checkMac), u"Check this computer"_s);
}

// The button runs the current step, which moves on when it succeeds; a
// runtime left by an earlier setup skips its step. The game download and the
// finished setup are handed on; opening the setup again starts over.
TEST_F(SetupFlowTest, TheButtonRunsTheCurrentStepUntilItSucceeds)
{
    QSignalSpy downloads(&flow, &SetupFlow::gameDownloadRequested);
    QSignalSpy finished(&flow, &SetupFlow::setupFinished);
    const auto runUntil = [this](SetupStep next) {
        flow.runCurrentSetupStep();
        return eventually([&] { return flow.setupStep() == next && !operation.isBusy(); });
    };
    flow.reflectInstallation(true);
    flow.runCurrentSetupStep();
    EXPECT_EQ(finished.count(), 1);
    Installation::addRuntime(Locations::currentRuntimeFolder());
    flow.beginSetup();
    ASSERT_TRUE(runUntil(SetupStep::steam));
    serveSteamCmd();
    ASSERT_TRUE(runUntil(SetupStep::gameFiles));
    flow.runCurrentSetupStep();
    flow.gameFilesDownloaded();
    flow.runCurrentSetupStep();
    EXPECT_EQ(flow.setupStep(), SetupStep::onlineClient);
    EXPECT_EQ(downloads.count(), 1);
    EXPECT_EQ(finished.count(), 1);
}

// A failing step stays where it was and says why: a build without a runtime
// before it begins anything, a refused download in the client's words, and
// anything that is not an archive in tar's.
TEST_F(SetupFlowTest, AFailingStepStaysAndSaysWhy)
{
    const QString runtimeFailed = u"Runtime installation failed: "_s;
    const QString steamCmdFailed = u"SteamCMD setup failed: "_s;
    const QString notTar = u"This does not look like a tar archive"_s;
    const std::tuple<QCoro::Task<> (SetupFlow::*)(), int, const char *, QString, QString> cases[] = {
        {&SetupFlow::installRuntime,
         200,
         nullptr,
         {},
         u"This development build does not contain the redistributable runtime yet. The proven local runtime "
         u"remains available, but a public package needs the runtime artifact bundled and notarized."_s},
        {&SetupFlow::installRuntime, 200, "not an archive", runtimeFailed, notTar},
        {&SetupFlow::prepareSteamCMD, 404, "<html>", steamCmdFailed,
         u"The server returned a response Tarnhold cannot read."_s},
        {&SetupFlow::prepareSteamCMD, 200, "<html>", steamCmdFailed, notTar},
    };
    // A runtime folder whose Wine cannot run does not count.
    FileTree::writeFile(platform.resources + u"/Runtime/bin/wine"_s, "not executable");
    for (const auto &[step, status, body, prefix, words] : cases) {
        if (body) {
            FileTree::writeFile(platform.resources + u"/runtime-sse2-full.tar.xz"_s, body);
            serveSteamCmd(status, body);
        }
        await((flow.*step)());
        const QString message = operation.errorMessage().value_or(QString());
        EXPECT_TRUE(message.startsWith(prefix) && message.contains(words)) << message.toStdString();
        EXPECT_EQ(flow.setupStep(), SetupStep::checkMac);
        EXPECT_FALSE(operation.isBusy());
        EXPECT_EQ(busyChanges.isEmpty(), !body);
    }
}

} // namespace
