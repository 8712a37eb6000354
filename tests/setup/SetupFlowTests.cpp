#include "SetupFlowTest.h"
#include "base/Locations.h"
#include "support/Installation.h"
#include "support/Wait.h"

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

// The step button runs the current step; the game download and the
// finished setup are handed on.
TEST_F(SetupFlowTest, TheButtonRunsTheCurrentStepUntilItSucceeds)
{
    QSignalSpy downloads(&flow, &SetupFlow::gameDownloadRequested);
    QSignalSpy finished(&flow, &SetupFlow::setupFinished);
    QSignalSpy steps(&flow, &SetupFlow::setupStepChanged);
    flow.reflectInstallation(true);
    flow.runCurrentSetupStep();
    EXPECT_EQ(finished.count(), 1);

    Installation::addRuntime(Locations::currentRuntimeFolder());
    flow.beginSetup();
    flow.runCurrentSetupStep();
    ASSERT_TRUE(eventually([this] { return flow.setupStep() == SetupStep::steam && !operation.isBusy(); }));
    server.route(steamCmdPath, FixtureResponse(404));
    flow.runCurrentSetupStep();
    ASSERT_TRUE(eventually([this] { return operation.errorMessage().has_value() && !operation.isBusy(); }));
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
}

// Opening the setup again starts at the first step and deletes nothing.
TEST_F(SetupFlowTest, BeginSetupOpensTheFirstStep)
{
    QSignalSpy opened(&flow, &SetupFlow::setupOpened);
    Installation::addReadyInstallation();
    flow.reflectInstallation(true);
    flow.beginSetup();
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(flow.setupStep(), SetupStep::checkMac);
    EXPECT_TRUE(isExecutableFile(Locations::currentRuntimeFolder() + QStringLiteral("/bin/wine")));
    EXPECT_EQ(busyChanges.count(), 0);
}

} // namespace
