#include "ColourReference.h"
#include "support/FakePlatform.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoBadge.h"
#include "ui/design/VevoMetrics.h"
#include "ui/design/VevoStatusDot.h"

#include <gtest/gtest.h>

using namespace ColourReference;

namespace {

TEST(VevoStatusDot, PulsesOnlyWhenAskedShownAndMotionIsAllowed)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    VevoStatusDot dot(appearance, VevoTone::ok);
    dot.show();
    EXPECT_FALSE(dot.isAnimating());
    dot.setPulsing(true);
    EXPECT_TRUE(dot.isAnimating());
    dot.hide();
    EXPECT_FALSE(dot.isAnimating());
    dot.show();
    // The system's preference stops and restarts a pulse while it runs.
    platform.reducedMotion = true;
    platform.preferencesChanged();
    EXPECT_FALSE(dot.isAnimating());
    platform.reducedMotion = false;
    platform.preferencesChanged();
    EXPECT_TRUE(dot.isAnimating());
}

TEST(VevoStatusIndicator, DotAndBadgeDrawInTheirToneAndScheme)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    for (VevoScheme scheme : {VevoScheme::light, VevoScheme::dark}) {
        platform.darkAppearance = scheme == VevoScheme::dark;
        appearance.refresh();
        for (int tone = 0; tone <= static_cast<int>(VevoTone::neutral); ++tone) {
            const QColor ink = Vevo::ink(VevoTone(tone)).color(scheme);
            VevoStatusDot dot(appearance, VevoTone(tone));
            EXPECT_LE(distance(pixel(dot, 8, 8), ink), painted) << tone;
            VevoBadge badge(appearance, QStringLiteral("Ready"), VevoTone(tone));
            badge.setDot(true);
            badge.resize(badge.sizeHint());
            EXPECT_LE(distance(pixel(badge, Vevo::Space::sm + 3, badge.height() / 2), ink), painted) << tone;
        }
    }
}

} // namespace
