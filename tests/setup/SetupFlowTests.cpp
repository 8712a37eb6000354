#include "SetupFlowTest.h"
#include "base/Locations.h"
#include "support/Installation.h"
#include "support/Wait.h"

#include <QDir>

using namespace FileTree;
using namespace Qt::StringLiterals;

namespace {

// Texts that name the Mac read as this system's own.
TEST(SetupSteps, SpeakOfThisSystem)
{
    for (int raw = 0; raw <= 5; ++raw) {
        const auto step = static_cast<SetupStep>(raw);
        for (const QString &text : {heading(step), actionLabel(step), description(step)})
            EXPECT_FALSE(text.contains(u"Mac"_s)) << text.toStdString();
    }
    EXPECT_EQ(heading(SetupStep::checkMac), u"Check this computer"_s);
}

// The button runs the current step, which moves on when it succeeds; a
// runtime left by an earlier setup skips its step. SteamCMD is downloaded
// and unpacked over the earlier copy, keeping what it added and the archive;
// a link in the archive's place is replaced, not written through. The game
// download and the finished setup are handed on; opening the setup again
// starts over.
TEST_F(SetupFlowTest, TheButtonRunsTheCurrentStepUntilItSucceeds)
{
    const QString steamCmd = Locations::supportFolder() + u"/SteamCMD/"_s;
    const QString elsewhere = inHome(u"elsewhere.tar.gz"_s);
    writeFile(steamCmd + u"steamcmd.sh"_s, "old");
    writeFile(steamCmd + u"package/updated"_s);
    writeFile(elsewhere, "not Tarnhold's");
    makeSymlink(elsewhere, steamCmd + u"steamcmd_linux.tar.gz"_s);
    QSignalSpy downloads(&flow, &SetupFlow::gameDownloadRequested);
    QSignalSpy finished(&flow, &SetupFlow::setupFinished);
    const auto runUntil = [this](SetupStep next) {
        flow.runCurrentSetupStep();
        return eventually([&] { return flow.setupStep() == next && !operation.isBusy(); });
    };
    flow.reflectInstallation(true);
    flow.runCurrentSetupStep();
    Installation::addRuntime(Locations::currentRuntimeFolder());
    flow.beginSetup();
    ASSERT_TRUE(runUntil(SetupStep::steam));
    serveSteamCmd();
    ASSERT_TRUE(runUntil(SetupStep::gameFiles));
    EXPECT_TRUE(isExecutableFile(steamCmd + u"steamcmd.sh"_s));
    EXPECT_TRUE(QFileInfo::exists(steamCmd + u"package/updated"_s));
    EXPECT_EQ(readFile(steamCmd + u"steamcmd_linux.tar.gz"_s), SteamCmdFixture::archive());
    EXPECT_EQ(readFile(elsewhere), "not Tarnhold's");
    flow.runCurrentSetupStep();
    flow.gameFilesDownloaded();
    flow.runCurrentSetupStep();
    EXPECT_EQ(flow.setupStep(), SetupStep::onlineClient);
    EXPECT_EQ(downloads.count(), 1);
    EXPECT_EQ(finished.count(), 1);
}

// Free space counts in decimal gigabytes; a volume that cannot tell passes.
// An unmet requirement of the system is reported before the disk is looked
// at. Rosetta is installed only when missing, and must be there afterwards;
// the progress bar spins only while its installer runs.
TEST_F(SetupFlowTest, TheMachineCheckNeedsTheSystemEightGigabytesAndRosetta)
{
    // Free space, unmet requirement, Rosetta's installer, and the message.
    // Rosetta is missing until the installer that works puts it in place.
    const std::tuple<std::optional<qint64>, std::optional<QString>, const char *, const char *> cases[] = {
        {std::nullopt, std::nullopt, "exit 1", "^Rosetta 2 is required to run the Windows game on Apple Silicon\\."},
        {std::nullopt, std::nullopt, "exit 0", "^Rosetta 2 did not finish installing\\."},
        {std::nullopt, std::nullopt, "touch \"$1\"", "^$"},
        {7'999'999'999, std::nullopt, nullptr, "^At least 8 GB of free disk space is required\\.$"},
        {0, u"Too old"_s, nullptr, "^Too old$"},
        {8'000'000'000, std::nullopt, nullptr, "^$"},
        {std::nullopt, std::nullopt, nullptr, "^$"},
    };
    platform.rosettaNeeded = true;
    platform.rosettaRuntime = inHome(u"libRosettaRuntime"_s);
    for (const auto &[available, unmetRequirement, installer, message] : cases) {
        platform.capacity = available;
        platform.systemRequirement = unmetRequirement;
        // Running the installer once Rosetta is there would fail the check.
        const QString script = QString::fromUtf8(installer ? installer : "exit 1");
        platform.rosettaCommand = {u"/bin/sh"_s, {u"-c"_s, script, u"sh"_s, platform.rosettaRuntime}};
        operation.setErrorMessage(std::nullopt);
        flow.reflectInstallation(false);
        await(flow.checkMac());
        EXPECT_THAT(operation.errorMessage().value_or(u""_s).toStdString(), testing::ContainsRegex(message));
        EXPECT_EQ(flow.setupStep(), operation.errorMessage() ? SetupStep::checkMac : SetupStep::runtime);
        EXPECT_FALSE(operation.isBusy() || operation.progressIsIndeterminate());
    }
}

// Each form replaces the earlier runtime as a whole, and an earlier runtime
// that is a link goes without emptying what it points to. The folder wins
// over the archive, whose entries sit below one top-level folder.
TEST_F(SetupFlowTest, InstallsTheRuntimeFolderOrElseItsArchiveInPlaceOfTheOldOne)
{
    const QString installed = Locations::currentRuntimeFolder();
    const QString elsewhere = inHome(u"Elsewhere"_s);
    writeExecutable(inHome(u"top/bin/wine"_s), "archive");
    // The linked case runs first, while nothing is installed yet.
    for (const auto &[folder, archive, linked] :
         {std::tuple{true, true, true}, std::tuple{false, true, false}, std::tuple{true, false, false}}) {
        QDir(platform.resources).removeRecursively();
        if (folder)
            writeExecutable(platform.resources + u"/Runtime/bin/wine"_s, "folder");
        if (archive)
            pack(platform.resources + u"/runtime-sse2-full.tar.xz"_s, home(), {u"top"_s});
        writeFile((linked ? elsewhere : installed) + u"/stale"_s);
        if (linked)
            makeSymlink(elsewhere, installed);
        await(flow.installRuntime());
        EXPECT_EQ(flow.setupStep(), SetupStep::steam);
        EXPECT_EQ(operation.activity(), u"Installing the free Wine runtime…"_s);
        EXPECT_TRUE(isExecutableFile(installed + u"/bin/wine"_s));
        EXPECT_EQ(readFile(installed + u"/bin/wine"_s), folder ? "folder" : "archive");
        EXPECT_FALSE(QFileInfo::exists(installed + u"/stale"_s) || QFileInfo(installed).isSymLink());
    }
    EXPECT_TRUE(QFileInfo::exists(elsewhere + u"/stale"_s));
}

// A failing step stays where it was and says why: a build without a runtime
// before it begins anything, a refused download in the client's words, and
// anything that is not an archive in tar's.
TEST_F(SetupFlowTest, AFailingStepStaysAndSaysWhy)
{
    // The step, SteamCMD's answer, the runtime archive and SteamCMD's body, and the message.
    const std::tuple<QCoro::Task<> (SetupFlow::*)(), int, const char *, const char *> cases[] = {
        {&SetupFlow::installRuntime, 200, nullptr, "^This development build does not contain the redistributable"},
        {&SetupFlow::installRuntime, 200, "not an archive", "^Runtime installation failed: .*not look like a tar"},
        {&SetupFlow::prepareSteamCMD, 404, "<html>",
         "^SteamCMD setup failed: The server returned a response Tarnhold cannot read\\.$"},
        {&SetupFlow::prepareSteamCMD, 200, "<html>", "^SteamCMD setup failed: .*not look like a tar"},
    };
    QSignalSpy busyChanges(&operation, &OperationState::isBusyChanged);
    // A runtime folder whose Wine cannot run does not count.
    writeFile(platform.resources + u"/Runtime/bin/wine"_s, "not executable");
    for (const auto &[step, status, body, message] : cases) {
        if (body) {
            writeFile(platform.resources + u"/runtime-sse2-full.tar.xz"_s, body);
            serveSteamCmd(status, body);
        }
        await((flow.*step)());
        EXPECT_THAT(operation.errorMessage().value_or(u""_s).toStdString(), testing::ContainsRegex(message));
        EXPECT_EQ(flow.setupStep(), SetupStep::checkMac);
        EXPECT_FALSE(operation.isBusy());
        EXPECT_EQ(busyChanges.isEmpty(), !body);
    }
}

} // namespace
