#include "base/InstallationRecord.h"
#include "client/UpdateChannel.h"
#include "support/Installation.h"
#include "support/Wait.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoText.h"
#include "ui/shell/ShellFixture.h"
#include "ui/shell/Sidebar.h"
#include "ui/shell/SidebarItem.h"

namespace {

struct RailCase
{
    int width;
    bool collapsed;
    int sidebarWidth;

    friend void PrintTo(const RailCase &rail, std::ostream *out) { *out << rail.width << " px"; }
};

class SidebarRail : public ShellTest, public testing::WithParamInterface<RailCase>
{};

TEST_P(SidebarRail, CollapsesToARailBelowTheCollapseWidth)
{
    content->resize(GetParam().width, 650);
    Sidebar *sidebar = content->sidebar();
    ASSERT_TRUE(eventually([&] { return sidebar->width() == GetParam().sidebarWidth; })) << sidebar->width();
    EXPECT_EQ(sidebar->isCollapsed(), GetParam().collapsed);
    EXPECT_EQ(find<QWidget>(QStringLiteral("brandBlock"))->accessibleName(),
              QStringLiteral("Tarnhold, Velmora for Mac"));
    EXPECT_EQ(find<VevoText>(QStringLiteral("statusLine"))->isVisible(), !GetParam().collapsed);
    for (SidebarItem *item : sidebar->findChildren<SidebarItem *>())
        EXPECT_EQ(item->isCollapsed(), GetParam().collapsed);
}

INSTANTIATE_TEST_SUITE_P(Widths, SidebarRail,
                         testing::Values(RailCase{999, true, 68}, RailCase{1000, false, 232}, RailCase{880, true, 68},
                                         RailCase{1440, false, 232}));

TEST_F(ShellTest, TheRailSwitchIsAnimatedAndEndsAtTheExactWidth)
{
    platform.reducedMotion = false;
    platform.preferencesChanged();
    content->resize(900, 650);
    EXPECT_GT(content->sidebar()->width(), Sidebar::railWidth);
    EXPECT_TRUE(eventually([&] { return content->sidebar()->width() == Sidebar::railWidth; }));
    content->resize(1100, 650);
    EXPECT_TRUE(eventually([&] { return content->sidebar()->width() == Sidebar::sidebarWidth; }));
}

TEST_F(ShellTest, ChoosingAnItemSelectsItsSection)
{
    auto *maps = find<SidebarItem>(QStringLiteral("sidebarItem-Maps"));
    QTest::mouseClick(maps, Qt::LeftButton);
    EXPECT_EQ(model.selectedSection(), AppSection::maps);
    EXPECT_TRUE(maps->isSelected());
    EXPECT_FALSE(find<SidebarItem>(QStringLiteral("sidebarItem-Home"))->isSelected());
    EXPECT_EQ(find<VevoText>(QStringLiteral("sectionTitle"))->text(), QStringLiteral("Maps"));
}

TEST_F(ShellTest, TheUpdatesItemAnnouncesAnAvailableUpdate)
{
    auto *updates = find<SidebarItem>(QStringLiteral("sidebarItem-Updates"));
    EXPECT_EQ(updates->accessibleName(), QStringLiteral("Updates"));
    server.route(QStringLiteral("/channel/manifest.json"),
                 FixtureResponse(200, {}, encodeReleaseManifest({QStringLiteral("1.2"), {}, 0, {}, {}})));
    QCoro::waitFor(model.updates().check(false));
    EXPECT_TRUE(updates->hasBadge());
    EXPECT_EQ(updates->accessibleName(), QStringLiteral("Updates, update available"));
    InstalledState state;
    state.velmoraVersion = QStringLiteral("1.2");
    model.record().setState(state);
    EXPECT_EQ(updates->accessibleName(), QStringLiteral("Updates"));
}

TEST_F(ShellTest, TheFooterTellsWhetherTheInstallationIsHealthy)
{
    auto *status = find<VevoText>(QStringLiteral("statusLine"));
    EXPECT_EQ(status->text(), QStringLiteral("Install Velmora"));
    Installation::addReadyInstallation();
    model.refreshComponents();
    EXPECT_EQ(status->text(), QStringLiteral("Installation healthy"));
}

// A change of the system's appearance recolours the open window.
TEST_F(ShellTest, RecoloursWhenTheAppearanceChanges)
{
    const auto sidebarColour = [&] { return content->grab().toImage().pixel(4, 300); };
    EXPECT_EQ(sidebarColour(), Vevo::sunken.color(VevoScheme::light).rgb());
    platform.darkAppearance = true;
    platform.preferencesChanged();
    EXPECT_EQ(sidebarColour(), Vevo::sunken.color(VevoScheme::dark).rgb());
}

} // namespace
