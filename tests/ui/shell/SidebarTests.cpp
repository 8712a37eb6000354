#include "base/InstallationRecord.h"
#include "client/UpdateChannel.h"
#include "support/Installation.h"
#include "support/Wait.h"
#include "ui/design/VevoText.h"
#include "ui/shell/ShellFixture.h"
#include "ui/shell/Sidebar.h"
#include "ui/shell/SidebarItem.h"

namespace {

TEST_F(ShellTest, TheSidebarCollapsesToARailBelowTheCollapseWidthAndFollowsTheAppearance)
{
    Sidebar *sidebar = content->sidebar();
    for (const auto &[width, collapsed] : {std::pair{999, true}, std::pair{1000, false}}) {
        content->resize(width, 650);
        const int expected = collapsed ? Sidebar::railWidth : Sidebar::sidebarWidth;
        ASSERT_TRUE(eventually([&] { return sidebar->width() == expected; })) << width << " px";
        EXPECT_EQ(sidebar->isCollapsed(), collapsed);
        EXPECT_EQ(find<VevoText>(QStringLiteral("statusLine"))->isVisible(), !collapsed);
        for (SidebarItem *item : sidebar->findChildren<SidebarItem *>())
            EXPECT_EQ(item->isCollapsed(), collapsed);
    }
    EXPECT_EQ(find<QWidget>(QStringLiteral("brandBlock"))->accessibleName(),
              QStringLiteral("Tarnhold, Velmora for Linux"));

    // With motion the switch is animated and ends at the exact width.
    platform.reducedMotion = false;
    platform.preferencesChanged();
    content->resize(900, 650);
    EXPECT_GT(sidebar->width(), Sidebar::railWidth);
    EXPECT_TRUE(eventually([&] { return sidebar->width() == Sidebar::railWidth; }));

    // A change of the system's appearance recolours the open window.
    const auto sidebarColour = [&] { return content->grab().toImage().pixel(4, 300); };
    const QRgb light = sidebarColour();
    platform.darkAppearance = true;
    platform.preferencesChanged();
    EXPECT_NE(sidebarColour(), light);
}

TEST_F(ShellTest, ItemsSelectTheirSectionAndAnnounceAnUpdateAndTheInstallationsHealth)
{
    auto *maps = find<SidebarItem>(QStringLiteral("sidebarItem-Maps"));
    QTest::mouseClick(maps, Qt::LeftButton);
    EXPECT_EQ(model.selectedSection(), AppSection::maps);
    EXPECT_TRUE(maps->isSelected());
    EXPECT_FALSE(find<SidebarItem>(QStringLiteral("sidebarItem-Home"))->isSelected());

    // The updates item and the footer follow the release and the installation.
    auto *updates = find<SidebarItem>(QStringLiteral("sidebarItem-Updates"));
    auto *status = find<VevoText>(QStringLiteral("statusLine"));
    EXPECT_EQ(updates->accessibleName(), QStringLiteral("Updates"));
    EXPECT_EQ(status->text(), QStringLiteral("Install Velmora"));
    server.route(QStringLiteral("/channel/manifest.json"),
                 FixtureResponse(200, {}, encodeReleaseManifest({QStringLiteral("1.2"), {}, 0, {}, {}})));
    QCoro::waitFor(model.updates().check(false));
    EXPECT_TRUE(updates->hasBadge());
    EXPECT_EQ(updates->accessibleName(), QStringLiteral("Updates, update available"));

    Installation::addReadyInstallation();
    InstalledState state;
    state.velmoraVersion = QStringLiteral("1.2");
    model.record().setState(state);
    EXPECT_EQ(updates->accessibleName(), QStringLiteral("Updates"));
    EXPECT_EQ(status->text(), QStringLiteral("Installation healthy"));
}

} // namespace
