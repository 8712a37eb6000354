#include "DesignTest.h"
#include "ui/design/VevoAnimation.h"
#include "ui/design/VevoMotion.h"

#include <QApplication>
#include <QList>
#include <QPalette>

namespace {

// A theme change reaches Qt 6.4 as a new application palette; on Linux the
// desktop portal reports it through the platform instead, which must stop
// calling an appearance that is gone.
TEST(VevoAppearance, FollowsThePaletteAndThePlatformUntilItIsGone)
{
    FakePlatform platform;
    platform.darkAppearance = true;
    {
        VevoAppearance appearance(platform);
        const QPalette original = QApplication::palette();
        platform.darkAppearance = false;
        QApplication::setPalette(QPalette(Qt::white));
        QApplication::setPalette(original);
        EXPECT_EQ(appearance.scheme(), VevoScheme::light);

        platform.darkAppearance = true;
        ASSERT_TRUE(platform.preferencesChanged);
        platform.preferencesChanged();
        EXPECT_EQ(appearance.scheme(), VevoScheme::dark);
    }
    EXPECT_FALSE(platform.preferencesChanged);
}

// 0.8 + (0.1 - 0.8) is not 0.1 in floating point, so the last step must land
// on the target itself. Turning back mid-flight (collapsing the sidebar while
// it still widens) goes from where it is, never jumping to either end first.
// Under reduced motion a value applies at once, even mid-flight.
TEST_F(DesignTest, AnimationEndsOnItsTargetTurnsBackFromWhereItIsAndHonoursReducedMotion)
{
    QObject owner;
    QList<double> applied;
    VevoAnimation animation{owner, appearance, Vevo::Motion::standard, [&](double v) { applied.append(v); }, 0.8};
    animation.animateTo(0.1);
    ASSERT_TRUE(eventually([&] { return !animation.isRunning(); }));
    ASSERT_GT(applied.size(), 1);
    EXPECT_EQ(applied.last(), 0.1);

    animation.animateTo(0.8);
    ASSERT_TRUE(eventually([&] { return animation.value() > 0.1; }));
    ASSERT_TRUE(animation.isRunning());
    const double turn = animation.value();
    qsizetype before = applied.size();
    animation.animateTo(0.1);
    EXPECT_EQ(animation.value(), turn);
    ASSERT_TRUE(eventually([&] { return !animation.isRunning(); }));
    const QList<double> back = applied.mid(before);
    for (qsizetype step = 0; step < back.size(); ++step)
        EXPECT_LE(back[step], step == 0 ? turn : back[step - 1]) << step;
    EXPECT_EQ(applied.last(), 0.1);

    before = applied.size();
    animation.animateTo(0);
    ASSERT_TRUE(animation.isRunning());
    reduceMotion();
    animation.animateTo(0.5);
    EXPECT_FALSE(animation.isRunning());
    EXPECT_EQ(applied.mid(before), QList<double>{0.5});
}

} // namespace
