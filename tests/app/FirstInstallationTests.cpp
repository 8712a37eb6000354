#include "app/TarnholdModel.h"
#include "base/InstallationRecord.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "client/GameLauncher.h"
#include "client/SessionLogs.h"
#include "content/CommunityContent.h"
#include "setup/SetupFlow.h"
#include "setup/SteamCmdCommand.h"
#include "setup/SteamDownload.h"
#include "support/CommunityWorld.h"
#include "support/FileTree.h"
#include "support/InstallationWorld.h"
#include "support/SteamCmdFixture.h"
#include "support/TestServices.h"
#include "support/Wait.h"
#include "support/WineRuntimeFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QSignalSpy>

namespace {

using namespace Qt::StringLiterals;
using Kind = SteamSessionPhase::Kind;

// Every site of the first installation, the fake SteamCMD and the fake
// runtime among the application's resources. The sandbox tests make the
// same installation on Debian's Wine.
class FirstInstallation : public testing::Test
{
protected:
    InstallationWorld world{false};
    FakePlatform *platform = new FakePlatform;
    const WineRuntimeFixture wine{FileTree::inHome(u"Resources/Runtime"_s)};
    TarnholdModel model{std::unique_ptr<Platform>(platform), world.catalog(), TestServices::fastTiming()};
    OperationState &operation = model.operation();

    bool runStepUntil(SetupStep next)
    {
        model.setup().runCurrentSetupStep();
        return eventually([&] { return model.setup().setupStep() == next && !operation.isBusy(); });
    }
    void answer(const QString &value)
    {
        ASSERT_TRUE(eventually([&] {
            const Kind phase = model.steam().steamSessionPhase().kind();
            return phase == Kind::password || phase == Kind::guardCode;
        }));
        model.steam().submitSteamCredential(value);
    }
};

TEST_F(FirstInstallation, FromAnEmptyHomeToAGameThatRanAndLeftItsLogs)
{
    platform->resources = FileTree::inHome(u"Resources"_s);
    QCoro::waitFor(model.refresh());
    EXPECT_EQ(model.statusTitle(), u"Installation required"_s);
    EXPECT_EQ(model.setup().setupStep(), SetupStep::checkMac);

    ASSERT_TRUE(runStepUntil(SetupStep::runtime));
    ASSERT_TRUE(runStepUntil(SetupStep::steam));
    EXPECT_TRUE(QFileInfo::exists(Locations::currentRuntimeFolder() + u"/bin/wine"_s));
    const SteamCmdFixture steam(SteamCmdCommand::folder());
    steam.setScenario("guard=email");
    ASSERT_TRUE(runStepUntil(SetupStep::gameFiles));
    model.steam().setSteamAccount(u"gordon_1"_s);
    model.setup().runCurrentSetupStep();
    answer(u"correct horse"_s);
    answer(u"F4K3C"_s);
    ASSERT_TRUE(eventually([&] { return model.setup().setupStep() == SetupStep::onlineClient; }));
    EXPECT_EQ(model.steam().steamDownloadProgress(), 1.0);

    model.community().setResolution(u"1920 × 1080"_s);
    InstalledState choices = model.record().state();
    choices.includeCommunityThreePlayerMaps = true;
    model.record().setState(choices);
    ASSERT_TRUE(runStepUntil(SetupStep::complete));
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_EQ(operation.installerPhase(), InstallerPhase::complete);
    EXPECT_EQ(operation.activity(), u"Velmora is ready"_s);
    EXPECT_DOUBLE_EQ(operation.progress(), 1.0);
    EXPECT_TRUE(model.isReady());
    EXPECT_EQ(model.statusTitle(), u"Ready to play"_s) << "the release read for the installation is kept whole";

    InstallationRecord saved;
    saved.load();
    const InstalledState state = saved.state();
    EXPECT_EQ(state.velmoraVersion, u"1.2"_s);
    EXPECT_EQ(state.controlBarResolution, u"1920 × 1080"_s);
    EXPECT_EQ(state.rankedMapsRevision, CommunityWorld::commit);
    QStringList maps =
        CommunityWorld::rankedMapNames() + CommunityWorld::threePlayerMapNames() + QStringList{u"Velmora Arena"_s};
    maps.sort(Qt::CaseInsensitive);
    EXPECT_EQ(QJsonDocument::fromJson(FileTree::readFile(Locations::managedMapListFile())).toVariant().toStringList(),
              maps);
    const QString game = Locations::gameFolder(Locations::managedPrefixFolder());
    for (const QString &file :
         {u"Generals.exe"_s, u"EAC_LaunchVelmora.exe"_s, u"340_ControlBarPro1080ZH.big"_s, u"d3d8.dll"_s})
        EXPECT_TRUE(QFileInfo::exists(game + u'/' + file)) << file.toStdString();
    QStringList paths;
    for (const FixtureRequest &request : world.server().requests())
        paths.append(request.path);
    paths.removeDuplicates();
    EXPECT_EQ(paths.size(), 11) << paths.join(u", "_s).toStdString();

    FileTree::makeFolder(QFileInfo(SessionLogs::clientLog()).absolutePath());
    QSignalSpy running(&operation, &OperationState::isGameRunningChanged);
    const WineRuntimeFixture installed(Locations::currentRuntimeFolder());
    installed.setScenario("program=play");
    model.handle(QUrl(u"tarnhold://launch"_s));
    ASSERT_TRUE(eventually([this] { return operation.isGameRunning(); })) << operation.errorMessage()->toStdString();
    EXPECT_EQ(model.statusTitle(), u"Velmora is running"_s);
    ASSERT_TRUE(eventually([] { return FileTree::readFile(SessionLogs::sessionLog()).contains("game error"); }));
    EXPECT_EQ(wine.recorded(u"wine-arguments"_s).size(), 0) << "the installed copy ran, not the resource";
    FileTree::writeFile(SessionLogs::clientLog(), "a session");
    model.handle(QUrl(u"tarnhold://stop"_s));
    ASSERT_TRUE(eventually([&] { return running.count() == 2; }));
    EXPECT_EQ(QDir(Locations::logsFolder()).entryList({u"velmora-*.log"_s}).size(), 1);
}

} // namespace
