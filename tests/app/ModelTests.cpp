#include "app/ModelFixture.h"
#include "app/Status.h"
#include "app/UrlAction.h"
#include "app/UserFacingError.h"
#include "support/FileTree.h"
#include "support/Installation.h"
#include "support/ModelTestAccess.h"
#include "support/Wait.h"

#include <QSignalSpy>

namespace {

TEST(HasUpdate, ComparesVersionsExactly)
{
    const ReleaseManifest release{QStringLiteral("1.5"), {}, 0, {}, {}};
    InstalledState state;
    EXPECT_FALSE(hasUpdate(std::nullopt, state));
    EXPECT_TRUE(hasUpdate(release, state)) << "nothing recorded";
    state.velmoraVersion = QStringLiteral("1.5");
    EXPECT_FALSE(hasUpdate(release, state));
    state.velmoraVersion = QStringLiteral("1.6");
    EXPECT_TRUE(hasUpdate(release, state)) << "an older release on the channel still counts";
    state.velmoraVersion = QStringLiteral("1.5 ");
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

TEST(UrlRouting, MapsHostsOfTheTarnholdSchemeOnly)
{
    EXPECT_EQ(urlAction(QUrl(QStringLiteral("tarnhold://maps"))), UrlAction::maps);
    EXPECT_EQ(urlAction(QUrl(QStringLiteral("tarnhold://launch"))), UrlAction::launch);
    EXPECT_EQ(urlAction(QUrl(QStringLiteral("tarnhold://community/extra?x=1"))), UrlAction::community);
    EXPECT_EQ(urlAction(QUrl(QStringLiteral("tarnhold://unknown"))), UrlAction::activate);
    EXPECT_EQ(urlAction(QUrl(QStringLiteral("tarnhold:"))), UrlAction::activate);
    EXPECT_EQ(urlAction(QUrl(QStringLiteral("https://launch"))), std::nullopt);
    EXPECT_EQ(urlAction(QUrl(QStringLiteral("launch"))), std::nullopt);
    EXPECT_EQ(urlAction(QUrl()), std::nullopt);
}

using Model = ModelTest;

TEST_F(Model, StartsWithThePublishedDefaults)
{
    EXPECT_EQ(model.selectedSection(), AppSection::home);
    EXPECT_EQ(model.setupStep(), SetupStep::checkMac);
    EXPECT_EQ(model.activity(), QStringLiteral("Checking installation…"));
    EXPECT_EQ(model.resolution(), QStringLiteral("2560 × 1440"));
    EXPECT_EQ(model.steamSessionPhase(), SteamSessionPhase::Kind::idle);
    EXPECT_EQ(model.installerPhase(), InstallerPhase::preparing);
    EXPECT_TRUE(model.components().isEmpty());
    EXPECT_TRUE(model.installedMaps().isEmpty());
    EXPECT_FALSE(model.errorMessage());
}

TEST_F(Model, RefreshWithoutInstallationAsksForSetup)
{
    model.setSelectedSection(AppSection::maps);
    refresh();
    EXPECT_EQ(model.activity(), QStringLiteral("Installation required"));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Installation required"));
    EXPECT_EQ(model.setupStep(), SetupStep::checkMac);
    EXPECT_EQ(model.components().size(), 6);
    EXPECT_EQ(model.selectedSection(), AppSection::maps) << "refresh never navigates";
    EXPECT_FALSE(model.isBusy());
}

TEST_F(Model, RefreshOfAReadyInstallationLoadsTheRecord)
{
    Installation::addReadyInstallation();
    Installation::writeStateFile(R"({"runtimeVersion": "Wine 11.0 SSE2", "velmoraVersion": "1.4"})");
    refresh();
    EXPECT_EQ(model.state().velmoraVersion, QStringLiteral("1.4"));
    EXPECT_EQ(model.activity(), QStringLiteral("Ready"));
    EXPECT_EQ(model.setupStep(), SetupStep::complete);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Ready to play"));
    EXPECT_EQ(model.components()[2].detail, QStringLiteral("1.4"));
}

TEST_F(Model, RunningGameOutranksBusyInTheTitle)
{
    ModelTestAccess::setBusy(model, true);
    ModelTestAccess::setActivity(model, QStringLiteral("Repairing…"));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Repairing…"));
    ModelTestAccess::setGameRunning(model, true);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Velmora is running"));
}

TEST_F(Model, UrlsSwitchSectionsOrActivate)
{
    QSignalSpy activations(&model, &TarnholdModel::activationRequested);
    model.handle(QUrl(QStringLiteral("tarnhold://maps")));
    EXPECT_EQ(model.selectedSection(), AppSection::maps);
    model.handle(QUrl(QStringLiteral("tarnhold://settings")));
    EXPECT_EQ(model.selectedSection(), AppSection::settings);
    EXPECT_EQ(activations.count(), 0) << "section URLs do not activate";

    model.handle(QUrl(QStringLiteral("tarnhold://somewhere")));
    model.handle(QUrl(QStringLiteral("tarnhold:")));
    EXPECT_EQ(activations.count(), 2);
    EXPECT_EQ(model.selectedSection(), AppSection::settings);

    model.handle(QUrl(QStringLiteral("other://maps")));
    model.handle(QUrl(QStringLiteral("tarnhold://stop")));
    EXPECT_EQ(model.selectedSection(), AppSection::settings);
    EXPECT_EQ(activations.count(), 2);
}

TEST_F(Model, RefreshUrlRescansTheInstallation)
{
    Installation::addReadyInstallation();
    model.handle(QUrl(QStringLiteral("tarnhold://refresh")));
    EXPECT_TRUE(eventually([this] { return model.setupStep() == SetupStep::complete; }));
}

TEST_F(Model, ProgressNeverMovesBackwardsWithinAnOperation)
{
    ModelTestAccess::beginOperation(model, InstallerPhase::community, 0.08, QStringLiteral("Working…"));
    EXPECT_TRUE(model.isBusy());
    EXPECT_EQ(model.installerPhase(), InstallerPhase::community);
    EXPECT_DOUBLE_EQ(model.progress(), 0.08);

    ModelTestAccess::advance(model, 0.2, 0.6, 0.5);
    EXPECT_DOUBLE_EQ(model.progress(), 0.4);
    ModelTestAccess::advance(model, 0.2, 0.6, 0.1);
    EXPECT_DOUBLE_EQ(model.progress(), 0.4) << "an earlier sub-range cannot lower progress";

    ModelTestAccess::finishOperation(model, QStringLiteral("Done"), QStringLiteral("All done."));
    EXPECT_DOUBLE_EQ(model.progress(), 1.0);
    EXPECT_EQ(model.activity(), QStringLiteral("Done"));
    EXPECT_EQ(model.noticeMessage(), QStringLiteral("All done."));
    EXPECT_FALSE(model.isBusy());
}

TEST_F(Model, FailurePublishesPrefixAndDescription)
{
    ModelTestAccess::beginOperation(model, InstallerPhase::onlineClient, 0.1, QStringLiteral("Repairing…"));
    ModelTestAccess::advance(model, 0.0, 1.0, 0.3);
    ModelTestAccess::failOperation(model, QStringLiteral("Repair failed: "),
                                   UserFacingError(QStringLiteral("The launcher is missing.")));
    EXPECT_EQ(model.errorMessage(), QStringLiteral("Repair failed: The launcher is missing."));
    EXPECT_FALSE(model.isBusy());
    EXPECT_DOUBLE_EQ(model.progress(), 0.3) << "the failure keeps the progress it reached";
}

TEST_F(Model, SettersNotifyOnlyOnChange)
{
    QSignalSpy changes(&model, &TarnholdModel::selectedSectionChanged);
    model.setSelectedSection(AppSection::home);
    EXPECT_EQ(changes.count(), 0);
    model.setSelectedSection(AppSection::updates);
    model.setSelectedSection(AppSection::updates);
    EXPECT_EQ(changes.count(), 1);
}

} // namespace
