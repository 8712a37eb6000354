#include "SetupFlowTest.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

// Free space counts in decimal gigabytes; a volume that cannot tell passes.
// An unmet requirement of the system is reported before the disk is looked
// at. Rosetta is installed only when missing, and must be there afterwards;
// the progress bar spins only while its installer runs.
TEST_F(SetupFlowTest, TheMachineCheckNeedsTheSystemEightGigabytesAndRosetta)
{
    // Free space, unmet requirement, the command that installs Rosetta (none
    // when it is present), and the error.
    const std::tuple<std::optional<qint64>, std::optional<QString>, const char *, std::optional<QString>> cases[] = {
        {7'999'999'999, std::nullopt, nullptr, u"At least 8 GB of free disk space is required."_s},
        {0, u"Too old"_s, nullptr, u"Too old"_s},
        {8'000'000'000, std::nullopt, nullptr, std::nullopt},
        {std::nullopt, std::nullopt, nullptr, std::nullopt},
        {std::nullopt, std::nullopt, "touch \"$1\"; exit 1",
         u"Rosetta 2 is required to run the Windows game on Apple Silicon. Install it by running “softwareupdate "
         u"--install-rosetta --agree-to-license” in Terminal, then retry."_s},
        {std::nullopt, std::nullopt, "exit 0",
         u"Rosetta 2 did not finish installing. Run “softwareupdate --install-rosetta --agree-to-license” in "
         u"Terminal, then retry."_s},
        {std::nullopt, std::nullopt, "touch \"$1\"", std::nullopt},
    };
    platform.rosettaNeeded = true;
    platform.rosettaRuntime = FileTree::inHome(u"libRosettaRuntime"_s);
    for (const auto &[available, unmetRequirement, installer, error] : cases) {
        platform.capacity = available;
        platform.systemRequirement = unmetRequirement;
        QFile::remove(platform.rosettaRuntime);
        if (!installer)
            FileTree::writeFile(platform.rosettaRuntime);
        // Running the installer of a present Rosetta would fail the check.
        const QString script = QString::fromUtf8(installer ? installer : "exit 1");
        platform.rosettaCommand = {u"/bin/sh"_s, {u"-c"_s, script, u"sh"_s, platform.rosettaRuntime}};
        operation.setErrorMessage(std::nullopt);
        flow.reflectInstallation(false);
        await(flow.checkMac());
        EXPECT_EQ(operation.errorMessage(), error);
        EXPECT_EQ(flow.setupStep(), error ? SetupStep::checkMac : SetupStep::runtime);
        EXPECT_FALSE(operation.isBusy() || operation.progressIsIndeterminate());
        EXPECT_EQ(operation.activity(), installer ? u"Installing Rosetta 2. macOS will ask for your Mac password; "
                                                    u"Tarnhold never sees it."_s
                                                  : u"Checking Wine, system libraries and disk space…"_s);
    }
}

} // namespace
