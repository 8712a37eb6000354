#include "SetupFlowTest.h"
#include "base/Locations.h"
#include "support/Installation.h"

namespace {

const QString checking = QStringLiteral("Checking Wine, system libraries and disk space…");

struct CapacityCase
{
    std::optional<qint64> available;
    std::optional<QString> error;
};

void PrintTo(const CapacityCase &scenario, std::ostream *out)
{
    *out << (scenario.available ? std::to_string(*scenario.available) : "unreadable");
}

class DiskSpace : public SetupFlowTest, public testing::WithParamInterface<CapacityCase>
{};

// Free space is counted in decimal gigabytes; a volume that cannot tell,
// or a support folder that does not exist yet, passes.
TEST_P(DiskSpace, DecidesAtEightGigabytes)
{
    platform.capacity = GetParam().available;
    await(flow.checkMac());
    EXPECT_EQ(operation.errorMessage(), GetParam().error);
    EXPECT_EQ(flow.setupStep(), GetParam().error ? SetupStep::checkMac : SetupStep::runtime);
    EXPECT_EQ(operation.progress(), GetParam().error ? 0.2 : 1.0);
    EXPECT_EQ(operation.activity(), checking);
    EXPECT_EQ(operation.installerPhase(), InstallerPhase::preparing);
    EXPECT_EQ(busyChanges.count(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    , DiskSpace,
    testing::Values(CapacityCase{8'000'000'000, std::nullopt}, CapacityCase{std::nullopt, std::nullopt},
                    CapacityCase{7'999'999'999, QStringLiteral("At least 8 GB of free disk space is required.")}));

TEST_F(SetupFlowTest, AnUnmetSystemRequirementEndsTheCheckFirst)
{
    platform.systemRequirement = QStringLiteral("Tarnhold requires macOS 13 or newer.");
    platform.capacity = 0;
    platform.rosettaNeeded = true;
    platform.rosettaPresent = false;
    await(flow.checkMac());
    EXPECT_EQ(operation.errorMessage(), QStringLiteral("Tarnhold requires macOS 13 or newer."));
    EXPECT_FALSE(operation.isBusy());
    EXPECT_EQ(flow.setupStep(), SetupStep::checkMac);
}

TEST_F(SetupFlowTest, ARuntimeLeftByAnEarlierSetupSkipsItsStep)
{
    Installation::addRuntime(Locations::currentRuntimeFolder());
    await(flow.checkMac());
    EXPECT_EQ(flow.setupStep(), SetupStep::steam);
}

struct RosettaCase
{
    const char *name;
    bool presentBefore;
    // The installer's shell command; it may create the runtime library.
    const char *installer;
    std::optional<QString> error;
};

void PrintTo(const RosettaCase &scenario, std::ostream *out)
{
    *out << scenario.name;
}

class Rosetta : public SetupFlowTest, public testing::WithParamInterface<RosettaCase>
{};

TEST_P(Rosetta, IsInstalledOnlyWhenMissingAndMustBeThereAfterwards)
{
    const RosettaCase &scenario = GetParam();
    platform.rosettaNeeded = true;
    platform.rosettaRuntime = FileTree::inHome(QStringLiteral("libRosettaRuntime"));
    if (scenario.presentBefore)
        FileTree::writeFile(platform.rosettaRuntime);
    platform.rosettaCommand = {
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), QString::fromUtf8(scenario.installer), QStringLiteral("sh"), platform.rosettaRuntime}};
    QSignalSpy indeterminate(&operation, &OperationState::progressIsIndeterminateChanged);
    await(flow.checkMac());

    EXPECT_EQ(operation.errorMessage(), scenario.error);
    EXPECT_EQ(flow.setupStep(), scenario.error ? SetupStep::checkMac : SetupStep::runtime);
    EXPECT_FALSE(operation.isBusy());
    EXPECT_FALSE(operation.progressIsIndeterminate());
    // Set and cleared once around the installer, never without it.
    EXPECT_EQ(indeterminate.count(), scenario.presentBefore ? 0 : 2);
    EXPECT_EQ(operation.activity(), scenario.presentBefore
                                        ? checking
                                        : QStringLiteral("Installing Rosetta 2. macOS will ask for "
                                                         "your Mac password; Tarnhold never sees it."));
}

INSTANTIATE_TEST_SUITE_P(
    , Rosetta,
    testing::Values(RosettaCase{"present", true, "exit 1", std::nullopt},
                    RosettaCase{"installed", false, "touch \"$1\"", std::nullopt},
                    RosettaCase{"installerFailed", false, "touch \"$1\"; exit 1",
                                QStringLiteral("Rosetta 2 is required to run the Windows game on Apple Silicon. "
                                               "Install it by running “softwareupdate --install-rosetta "
                                               "--agree-to-license” in Terminal, then retry.")},
                    RosettaCase{"stillMissing", false, "exit 0",
                                QStringLiteral("Rosetta 2 did not finish installing. Run “softwareupdate "
                                               "--install-rosetta --agree-to-license” in Terminal, then retry.")}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
