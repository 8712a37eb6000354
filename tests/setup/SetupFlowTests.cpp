#include "SetupFlowTest.h"
#include "base/Locations.h"
#include "support/Installation.h"
#include "support/Wait.h"

#include <QDir>

namespace {

// The headings, labels and descriptions are the macOS ones apart from
// those that name the Mac, which read as Linux texts here.
TEST(SetupSteps, ComeFromRawValuesAndSpeakOfThisSystem)
{
    for (int raw = -1; raw <= 6; ++raw) {
        const std::optional<SetupStep> step = setupStepFromRawValue(raw);
        ASSERT_EQ(step.has_value(), raw >= 0 && raw <= 5) << raw;
        if (!step)
            continue;
        EXPECT_EQ(static_cast<int>(*step), raw);
        for (const QString &text : {heading(*step), actionLabel(*step), description(*step)})
            EXPECT_FALSE(text.contains(QStringLiteral("Mac"))) << text.toStdString();
    }
    EXPECT_EQ(heading(SetupStep::checkMac), QStringLiteral("Check this computer"));
    EXPECT_EQ(heading(SetupStep::steam), actionLabel(SetupStep::gameFiles));
}

// The step button runs the current step, which moves on only when it
// succeeds; a runtime left by an earlier setup skips its step. The game
// download and the finished setup are handed on, and opening the setup
// again starts over without deleting anything.
TEST_F(SetupFlowTest, TheButtonRunsTheCurrentStepUntilItSucceeds)
{
    QSignalSpy opened(&flow, &SetupFlow::setupOpened);
    QSignalSpy downloads(&flow, &SetupFlow::gameDownloadRequested);
    QSignalSpy finished(&flow, &SetupFlow::setupFinished);
    QSignalSpy steps(&flow, &SetupFlow::setupStepChanged);
    flow.reflectInstallation(true);
    flow.runCurrentSetupStep();
    EXPECT_EQ(finished.count(), 1);

    Installation::addRuntime(Locations::currentRuntimeFolder());
    flow.beginSetup();
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(flow.setupStep(), SetupStep::checkMac);
    flow.runCurrentSetupStep();
    ASSERT_TRUE(eventually([this] { return flow.setupStep() == SetupStep::steam && !operation.isBusy(); }));
    server.route(steamCmdPath, FixtureResponse(404));
    flow.runCurrentSetupStep();
    ASSERT_TRUE(eventually([this] { return operation.errorMessage().has_value() && !operation.isBusy(); }));
    EXPECT_EQ(operation.errorMessage(),
              QStringLiteral("SteamCMD setup failed: The server returned a response Tarnhold cannot read."));
    EXPECT_TRUE(QDir(Locations::supportFolder() + QStringLiteral("/SteamCMD")).isEmpty()) << "nothing unpacked";
    EXPECT_EQ(flow.setupStep(), SetupStep::steam);
    serveSteamCmd();
    flow.runCurrentSetupStep();
    ASSERT_TRUE(eventually([this] { return flow.setupStep() == SetupStep::gameFiles && !operation.isBusy(); }));

    flow.runCurrentSetupStep();
    EXPECT_EQ(downloads.count(), 1);
    flow.gameFilesDownloaded();
    flow.runCurrentSetupStep();
    EXPECT_EQ(flow.setupStep(), SetupStep::onlineClient);
    EXPECT_EQ(downloads.count(), 1);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(steps.count(), 5);
    EXPECT_TRUE(isExecutableFile(Locations::currentRuntimeFolder() + QStringLiteral("/bin/wine")));
}

} // namespace
