#include "app/TarnholdModel.h"
#include "base/InstallationRecord.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "client/ReleaseManifest.h"
#include "lifecycle/InstallationLifecycle.h"
#include "setup/SetupFlow.h"
#include "setup/SteamDownload.h"
#include "setup/SteamGameFolder.h"
#include "support/FileTree.h"
#include "support/Installation.h"
#include "support/TestServices.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace {

using namespace Qt::StringLiterals;
using Health = ComponentHealth::Health;

// The rows of a fresh machine are checked in the status command's output.
TEST(ComponentRows, InstalledPiecesShowTheirDetails)
{
    InstalledState state;
    state.velmoraVersion = u"1.4.2"_s;
    state.controlBarVersion = u"1.2"_s;
    QStringList details;
    for (const ComponentHealth &row : componentRows({true, true, true, false, 8}, state)) {
        EXPECT_EQ(row.health, Health::ready) << row.id.toStdString();
        details.append(row.detail);
    }
    EXPECT_EQ(details, QStringList({u"Wine 11.0 · deterministic SSE2 build"_s, u"Steam app 2732960"_s, u"1.4.2"_s,
                                    u"Fullscreen · 60 Hz client · EAC"_s, u"Control Bar Pro 1.2 · GenTool 8.9"_s,
                                    u"8 installed maps"_s}));
    state.genToolVersion = u"9.0"_s;
    const QList<ComponentHealth> rows = componentRows({true, true, true, false, 7}, state);
    EXPECT_EQ(rows[4].detail, u"Control Bar Pro 1.2 · GenTool 9.0"_s);
    EXPECT_EQ(rows[5].health, Health::missing) << "an incomplete library";
    EXPECT_EQ(componentRows({true, true, true, false, 0}, {})[2].detail, u"Installed"_s);
}

// A model on the fake platform whose update channel is a fixture server.
class Model : public testing::Test
{
protected:
    FixtureServer server;
    TarnholdModel model{std::make_unique<FakePlatform>(), TestServices::catalogAt(server)};

    void refresh() { QCoro::waitFor(model.refresh()); }
    void serveRelease(const QString &version, std::chrono::milliseconds delay = {})
    {
        FixtureResponse response(200, {}, encodeReleaseManifest({version, {}, 0, {}, {}}));
        response.delay = delay;
        server.route(u"/channel/manifest.json"_s, response);
    }
};

// The component rows and the status follow the record, the release, the map
// library and the files an operation leaves behind.
TEST_F(Model, ComponentsAndStatusFollowEveryInput)
{
    const auto row = [this](int index) { return model.components().at(index); };
    Installation::addRuntime(Locations::currentRuntimeFolder());
    Installation::addGameFiles(Locations::managedPrefixFolder());
    for (const QString &name : {u"A"_s, u"B"_s})
        FileTree::writeFile(Locations::gameMapsFolder() + u'/' + name + u'/' + name + u".map"_s);
    serveRelease(u"2.0"_s);
    refresh();
    EXPECT_EQ(QList({row(0).health, row(1).health, row(2).health}),
              QList({Health::ready, Health::ready, Health::missing}));
    EXPECT_EQ(row(5).detail, u"2 installed maps"_s);

    Installation::addLauncher(Locations::managedPrefixFolder());
    EXPECT_TRUE(model.operation().begin(InstallerPhase::onlineClient, 0.1, u"Installing…"_s));
    model.operation().finish(u"Installed"_s);
    EXPECT_EQ(row(2).health, Health::attention) << "release 2.0 differs from no version";

    InstalledState state = model.record().state();
    state.velmoraVersion = u"2.0"_s;
    model.record().setState(state);
    model.record().save();
    EXPECT_EQ(row(2).health, Health::ready);
    EXPECT_EQ(model.statusTitle(), u"Ready to play"_s);

    // Versions have no order: an older release is an update too.
    serveRelease(u"1.9"_s);
    QSignalSpy statusChanges(&model, &TarnholdModel::statusChanged);
    refresh();
    EXPECT_EQ(model.operation().activity(), u"Ready"_s);
    EXPECT_EQ(model.statusTitle(), u"Update available"_s);
    EXPECT_GE(statusChanges.count(), 1);
}

TEST_F(Model, UrlsSwitchSectionsOrActivate)
{
    QSignalSpy activations(&model, &TarnholdModel::activationRequested);
    const std::tuple<const char *, AppSection, int> steps[] = {
        {"tarnhold://maps", AppSection::maps, 0},          {"tarnhold://settings", AppSection::settings, 0},
        {"other://maps", AppSection::settings, 0},         {"tarnhold://stop", AppSection::settings, 0},
        {"tarnhold://somewhere", AppSection::settings, 1},
    };
    for (const auto &[url, section, activated] : steps) {
        model.handle(QUrl(QString::fromLatin1(url)));
        EXPECT_EQ(model.selectedSection(), section) << url;
        EXPECT_EQ(activations.count(), activated) << url;
    }
    model.handle(QUrl(u"tarnhold://community"_s));
    EXPECT_EQ(model.operation().errorMessage(),
              u"Install the original game before restoring its multiplayer profile."_s);
    model.handle(QUrl(u"tarnhold://launch"_s));
    EXPECT_TRUE(eventually([this] {
        return model.operation().errorMessage()
               == u"The runtime or Velmora files are missing. Open Install & Repair."_s;
    }));
    Installation::addReadyInstallation();
    model.handle(QUrl(u"tarnhold://refresh"_s));
    EXPECT_TRUE(eventually([this] { return model.setup().setupStep() == SetupStep::complete; }));
}

// The refresh decides where the setup stands; the setup opens and closes
// its section.
TEST_F(Model, TheSetupFollowsTheInstallationAndSwitchesSections)
{
    refresh();
    EXPECT_EQ(model.setup().setupStep(), SetupStep::checkMac);
    Installation::addReadyInstallation();
    refresh();
    EXPECT_EQ(model.setup().setupStep(), SetupStep::complete);
    model.setSelectedSection(AppSection::maps);
    model.setup().runCurrentSetupStep();
    EXPECT_EQ(model.selectedSection(), AppSection::home);
    model.setup().beginSetup();
    EXPECT_EQ(model.selectedSection(), AppSection::setup);
    EXPECT_EQ(model.setup().setupStep(), SetupStep::checkMac);

    // A finished game download moves the setup on; opening it again starts
    // the Steam card over.
    FileTree::writeFile(SteamGameFolder::location() + u"/Generals.exe"_s);
    model.steam().detectSteamDownload();
    EXPECT_EQ(model.setup().setupStep(), SetupStep::onlineClient);
    model.setup().beginSetup();
    EXPECT_EQ(model.steam().steamSessionPhase(), SteamSessionPhase());
}

// Uninstalling opens the setup; restoring the legacy installation shows
// home with its runtime counted again.
TEST_F(Model, TheLifecycleSwitchesSections)
{
    Installation::addRuntime(Locations::legacyRuntimeFolder());
    Installation::addLauncher(Locations::legacyPrefixFolder());
    model.lifecycle().uninstallManagedInstallation();
    ASSERT_TRUE(eventually([this] { return !model.operation().isBusy(); }));
    EXPECT_EQ(model.selectedSection(), AppSection::setup);
    EXPECT_EQ(model.components().at(0).health, Health::missing);
    model.lifecycle().restoreLegacyInstallation();
    EXPECT_EQ(model.selectedSection(), AppSection::home);
    EXPECT_EQ(model.components().at(0).health, Health::ready);
}

TEST_F(Model, AModelDestroyedDuringARefreshIsLeftAlone)
{
    serveRelease(u"1.2"_s, 300ms);
    auto doomed = std::make_unique<TarnholdModel>(std::make_unique<FakePlatform>(), TestServices::catalogAt(server));
    doomed->startRefresh();
    EXPECT_TRUE(eventually([this] { return server.requestCount(u"/channel/manifest.json"_s) == 1; }));
    doomed.reset();
    QTest::qWait(500);
}

} // namespace
