#include "app/ComponentHealth.h"
#include "app/Status.h"
#include "app/TarnholdModel.h"
#include "app/UrlAction.h"
#include "base/InstallationRecord.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "support/FileTree.h"
#include "support/Installation.h"
#include "support/TestServices.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace {

TEST(HasUpdate, AnyDifferenceInVersionCounts)
{
    const ReleaseManifest release{QStringLiteral("1.5"), {}, 0, {}, {}};
    InstalledState state;
    EXPECT_FALSE(hasUpdate(std::nullopt, state));
    EXPECT_TRUE(hasUpdate(release, state));
    state.velmoraVersion = QStringLiteral("1.5");
    EXPECT_FALSE(hasUpdate(release, state));
    state.velmoraVersion = QStringLiteral("1.6");
    EXPECT_TRUE(hasUpdate(release, state));
}

TEST(StatusTitle, FirstMatchingRuleWins)
{
    const QString busy = QStringLiteral("Installing…");
    EXPECT_EQ(statusTitle({true, true, busy, true, true}), QStringLiteral("Velmora is running"));
    EXPECT_EQ(statusTitle({false, true, busy, true, true}), busy);
    EXPECT_EQ(statusTitle({false, false, busy, true, true}), QStringLiteral("Update available"));
    EXPECT_EQ(statusTitle({false, false, busy, true, false}), QStringLiteral("Ready to play"));
    EXPECT_EQ(statusTitle({false, false, busy, false, true}), QStringLiteral("Installation required"));
}

TEST(UrlRouting, OnlyTheTarnholdSchemeActs)
{
    EXPECT_EQ(urlAction(QUrl(QStringLiteral("tarnhold://community/extra?x=1"))), UrlAction::community);
    EXPECT_EQ(urlAction(QUrl(QStringLiteral("tarnhold://unknown"))), UrlAction::activate);
    EXPECT_EQ(urlAction(QUrl(QStringLiteral("tarnhold:"))), UrlAction::activate);
    EXPECT_EQ(urlAction(QUrl(QStringLiteral("https://launch"))), std::nullopt);
    EXPECT_EQ(urlAction(QUrl(QStringLiteral("launch"))), std::nullopt);
}

// A model on the fake platform whose update channel is a fixture server.
class Model : public testing::Test
{
protected:
    FixtureServer server;
    TarnholdModel model{std::make_unique<FakePlatform>(), TestServices::catalogAt(server)};

    void refresh() { QCoro::waitFor(model.refresh()); }
    void serveRelease(const QString &version)
    {
        server.route(QStringLiteral("/channel/manifest.json"),
                     FixtureResponse(200, {}, encodeReleaseManifest({version, {}, 0, {}, {}})));
    }
};

TEST_F(Model, RefreshWithoutInstallationAsksForSetup)
{
    EXPECT_EQ(model.operation().activity(), QStringLiteral("Checking installation…"));
    model.setSelectedSection(AppSection::maps);
    refresh();
    EXPECT_EQ(model.operation().activity(), QStringLiteral("Installation required"));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Installation required"));
    EXPECT_EQ(model.setupStep(), SetupStep::checkMac);
    EXPECT_EQ(model.selectedSection(), AppSection::maps);
}

TEST_F(Model, RefreshOfAReadyInstallationLoadsTheRecordAndTheRelease)
{
    Installation::addReadyInstallation();
    Installation::writeStateFile(R"({"runtimeVersion": "Wine 11.0 SSE2", "velmoraVersion": "1.4"})");
    serveRelease(QStringLiteral("1.4"));
    refresh();
    EXPECT_EQ(model.record().state().velmoraVersion, QStringLiteral("1.4"));
    EXPECT_EQ(model.operation().activity(), QStringLiteral("Ready"));
    EXPECT_EQ(model.setupStep(), SetupStep::complete);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Ready to play"));

    serveRelease(QStringLiteral("1.5"));
    QSignalSpy statusChanges(&model, &TarnholdModel::statusChanged);
    refresh();
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Update available"));
    EXPECT_GE(statusChanges.count(), 1);
}

// The component rows follow the record, the release, the map library and
// the files an operation leaves behind.
TEST_F(Model, ComponentsFollowEveryInputOfTheirRows)
{
    using Health = ComponentHealth::Health;
    const auto health = [this](int row) { return model.components().at(row).health; };
    Installation::addRuntime(Locations::currentRuntimeFolder());
    Installation::addGameFiles(Locations::managedPrefixFolder());
    for (const QString &name : {QStringLiteral("A"), QStringLiteral("B")})
        FileTree::writeFile(Locations::gameMapsFolder() + u'/' + name + u'/' + name + QStringLiteral(".map"));
    serveRelease(QStringLiteral("2.0"));
    refresh();
    EXPECT_EQ(health(0), Health::ready);
    EXPECT_EQ(health(1), Health::ready);
    EXPECT_EQ(health(2), Health::missing);
    EXPECT_EQ(model.components().at(5).detail, QStringLiteral("2 installed maps"));

    Installation::addLauncher(Locations::managedPrefixFolder());
    model.operation().begin(InstallerPhase::onlineClient, 0.1, QStringLiteral("Installing…"));
    model.operation().finish(QStringLiteral("Installed"));
    EXPECT_EQ(health(2), Health::attention) << "release 2.0 is newer than no version";

    InstalledState state = model.record().state();
    state.velmoraVersion = QStringLiteral("2.0");
    model.record().setState(state);
    EXPECT_EQ(health(2), Health::ready);
    EXPECT_EQ(model.components().at(2).detail, QStringLiteral("2.0"));
}

TEST_F(Model, UrlsSwitchSectionsOrActivate)
{
    QSignalSpy activations(&model, &TarnholdModel::activationRequested);
    model.handle(QUrl(QStringLiteral("tarnhold://maps")));
    EXPECT_EQ(model.selectedSection(), AppSection::maps);
    model.handle(QUrl(QStringLiteral("tarnhold://settings")));
    EXPECT_EQ(model.selectedSection(), AppSection::settings);
    model.handle(QUrl(QStringLiteral("other://maps")));
    model.handle(QUrl(QStringLiteral("tarnhold://stop")));
    EXPECT_EQ(model.selectedSection(), AppSection::settings);
    EXPECT_EQ(activations.count(), 0) << "only unknown hosts activate";

    model.handle(QUrl(QStringLiteral("tarnhold://somewhere")));
    EXPECT_EQ(activations.count(), 1);

    Installation::addReadyInstallation();
    model.handle(QUrl(QStringLiteral("tarnhold://refresh")));
    EXPECT_TRUE(eventually([this] { return model.setupStep() == SetupStep::complete; }));
}

TEST_F(Model, AModelDestroyedDuringARefreshIsLeftAlone)
{
    FixtureResponse late{200, {}, encodeReleaseManifest({QStringLiteral("1.2"), {}, 0, {}, {}})};
    late.delay = 300ms;
    server.route(QStringLiteral("/channel/manifest.json"), late);
    auto doomed = std::make_unique<TarnholdModel>(std::make_unique<FakePlatform>(), TestServices::catalogAt(server));
    doomed->startRefresh();
    EXPECT_TRUE(eventually([this] { return server.requestCount(QStringLiteral("/channel/manifest.json")) == 1; }));
    doomed.reset();
    QTest::qWait(500);
}

} // namespace
