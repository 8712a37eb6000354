#include "support/FakePlatform.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QSignalSpy>

namespace {

// A theme change reaches Qt 6.4 as a new application palette; palettes also
// change for other reasons (accent colour), which must not repaint anything.
TEST(VevoAppearance, FollowsTheSystemThroughPaletteChanges)
{
    FakePlatform platform;
    platform.darkAppearance = true;
    platform.reducedMotion = true;
    VevoAppearance appearance(platform);
    EXPECT_EQ(appearance.color(Vevo::canvas), Vevo::canvas.color(VevoScheme::dark));
    EXPECT_TRUE(appearance.reducedMotion());
    QSignalSpy changes(&appearance, &VevoAppearance::schemeChanged);

    const QPalette original = QApplication::palette();
    QApplication::setPalette(QPalette(Qt::darkCyan));
    const int unchanged = changes.count();
    platform.darkAppearance = false;
    QApplication::setPalette(QPalette(Qt::white));
    QApplication::setPalette(original);

    EXPECT_EQ(unchanged, 0);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).value<VevoScheme>(), VevoScheme::light);
    EXPECT_EQ(appearance.color(Vevo::canvas), Vevo::canvas.color(VevoScheme::light));
}

// On Linux the desktop portal, not the palette, reports a new colour scheme,
// and on both systems the platform reports a new reduced-motion setting.
TEST(VevoAppearance, FollowsChangesThePlatformReportsUntilItIsGone)
{
    FakePlatform platform;
    {
        VevoAppearance appearance(platform);
        QSignalSpy schemes(&appearance, &VevoAppearance::schemeChanged);
        QSignalSpy motion(&appearance, &VevoAppearance::reducedMotionChanged);
        platform.darkAppearance = true;
        ASSERT_TRUE(platform.preferencesChanged);
        platform.preferencesChanged();
        EXPECT_EQ(schemes.count(), 1);
        EXPECT_EQ(appearance.scheme(), VevoScheme::dark);
        EXPECT_EQ(motion.count(), 0);

        platform.reducedMotion = true;
        platform.preferencesChanged();
        EXPECT_EQ(schemes.count(), 1);
        ASSERT_EQ(motion.count(), 1);
        EXPECT_TRUE(appearance.reducedMotion());
    }
    EXPECT_FALSE(platform.preferencesChanged);
}

} // namespace
