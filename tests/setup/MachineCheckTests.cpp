#include "SetupFlowTest.h"

namespace {

const QString checking = QStringLiteral("Checking Wine, system libraries and disk space…");

// Free space counts in decimal gigabytes; a volume that cannot tell, or a
// support folder that does not exist yet, passes. An unmet requirement of
// the system is reported before the disk is looked at.
TEST_F(SetupFlowTest, TheMachineCheckNeedsTheSystemAndEightGigabytes)
{
    const QString tooSmall = QStringLiteral("At least 8 GB of free disk space is required.");
    const QString tooOld = QStringLiteral("Tarnhold requires macOS 13 or newer.");
    const std::tuple<std::optional<qint64>, std::optional<QString>, std::optional<QString>> cases[] = {
        {7'999'999'999, std::nullopt, tooSmall},
        {0, tooOld, tooOld},
        {8'000'000'000, std::nullopt, std::nullopt},
        {std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto &[available, requirement, error] : cases) {
        platform.capacity = available;
        platform.systemRequirement = requirement;
        operation.setErrorMessage(std::nullopt);
        flow.reflectInstallation(false);
        await(flow.checkMac());
        EXPECT_EQ(operation.errorMessage(), error);
        EXPECT_EQ(flow.setupStep(), error ? SetupStep::checkMac : SetupStep::runtime);
        EXPECT_EQ(operation.progress(), error ? 0.2 : 1.0);
        EXPECT_EQ(operation.activity(), checking);
        EXPECT_EQ(operation.installerPhase(), InstallerPhase::preparing);
    }
    EXPECT_EQ(busyChanges.count(), 8);
}

// Rosetta is installed only when missing, through the platform's command,
// and must be there afterwards. The progress bar is indeterminate exactly
// while the installer runs.
TEST_F(SetupFlowTest, RosettaIsInstalledWhenMissing)
{
    const QString failed = QStringLiteral(
        "Rosetta 2 is required to run the Windows game on Apple Silicon. Install it by running “softwareupdate "
        "--install-rosetta --agree-to-license” in Terminal, then retry.");
    const QString unfinished = QStringLiteral("Rosetta 2 did not finish installing. Run “softwareupdate "
                                              "--install-rosetta --agree-to-license” in Terminal, then retry.");
    const QString installing =
        QStringLiteral("Installing Rosetta 2. macOS will ask for your Mac password; Tarnhold never sees it.");
    platform.rosettaNeeded = true;
    platform.rosettaRuntime = FileTree::inHome(QStringLiteral("libRosettaRuntime"));
    const std::tuple<bool, const char *, std::optional<QString>> cases[] = {
        {false, "touch \"$1\"; exit 1", failed},
        {false, "exit 0", unfinished},
        {false, "touch \"$1\"", std::nullopt},
        {true, "exit 1", std::nullopt},
    };
    for (const auto &[presentBefore, installer, error] : cases) {
        SCOPED_TRACE(installer);
        QFile::remove(platform.rosettaRuntime);
        if (presentBefore)
            FileTree::writeFile(platform.rosettaRuntime);
        platform.rosettaCommand = {
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QString::fromUtf8(installer), QStringLiteral("sh"), platform.rosettaRuntime}};
        operation.setErrorMessage(std::nullopt);
        flow.reflectInstallation(false);
        QSignalSpy indeterminate(&operation, &OperationState::progressIsIndeterminateChanged);
        await(flow.checkMac());
        EXPECT_EQ(operation.errorMessage(), error);
        EXPECT_EQ(flow.setupStep(), error ? SetupStep::checkMac : SetupStep::runtime);
        EXPECT_FALSE(operation.isBusy());
        EXPECT_EQ(indeterminate.count(), presentBefore ? 0 : 2);
        EXPECT_EQ(operation.activity(), presentBefore ? checking : installing);
    }
}

} // namespace
