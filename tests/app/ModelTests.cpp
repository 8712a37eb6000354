#include "app/ModelFixture.h"
#include "app/Status.h"
#include "app/UrlAction.h"
#include "base/UserFacingError.h"
#include "support/Installation.h"
#include "support/ModelTestAccess.h"
#include "support/Wait.h"

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

using Model = ModelTest;

TEST_F(Model, RefreshWithoutInstallationAsksForSetup)
{
    EXPECT_EQ(model.activity(), QStringLiteral("Checking installation…"));
    model.setSelectedSection(AppSection::maps);
    refresh();
    EXPECT_EQ(model.activity(), QStringLiteral("Installation required"));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Installation required"));
    EXPECT_EQ(model.setupStep(), SetupStep::checkMac);
    EXPECT_EQ(model.selectedSection(), AppSection::maps);
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

    ModelTestAccess::setRelease(model, ReleaseManifest{QStringLiteral("1.5"), {}, 0, {}, {}});
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Update available"));
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

TEST_F(Model, ProgressOnlyMovesForwardAndEndsAtOne)
{
    ModelTestAccess::beginOperation(model, InstallerPhase::community, 0.08, QStringLiteral("Working…"));
    EXPECT_TRUE(model.isBusy());
    EXPECT_EQ(model.installerPhase(), InstallerPhase::community);
    ModelTestAccess::advance(model, 0.2, 0.6, 0.5);
    EXPECT_DOUBLE_EQ(model.progress(), 0.4);
    ModelTestAccess::advance(model, 0.2, 0.6, 0.1);
    EXPECT_DOUBLE_EQ(model.progress(), 0.4);

    ModelTestAccess::finishOperation(model, QStringLiteral("Done"), QStringLiteral("All done."));
    EXPECT_DOUBLE_EQ(model.progress(), 1.0);
    EXPECT_EQ(model.noticeMessage(), QStringLiteral("All done."));
    EXPECT_FALSE(model.isBusy());
}

TEST_F(Model, FailurePublishesPrefixAndDescriptionAndKeepsProgress)
{
    ModelTestAccess::beginOperation(model, InstallerPhase::onlineClient, 0.3, QStringLiteral("Repairing…"));
    ModelTestAccess::failOperation(model, QStringLiteral("Repair failed: "),
                                   UserFacingError(QStringLiteral("The launcher is missing.")));
    EXPECT_EQ(model.errorMessage(), QStringLiteral("Repair failed: The launcher is missing."));
    EXPECT_FALSE(model.isBusy());
    EXPECT_DOUBLE_EQ(model.progress(), 0.3);
}

TEST_F(Model, SettersNotifyOnlyOnChange)
{
    QSignalSpy changes(&model, &TarnholdModel::selectedSectionChanged);
    model.setSelectedSection(AppSection::home);
    model.setSelectedSection(AppSection::updates);
    model.setSelectedSection(AppSection::updates);
    EXPECT_EQ(changes.count(), 1);
}

} // namespace
