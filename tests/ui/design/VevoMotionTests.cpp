#include "ui/design/VevoMotion.h"

#include <gtest/gtest.h>

namespace {

// A damping fraction of 0.62 overshoots by about 8 % once, then comes to rest
// exactly on its target.
TEST(VevoMotion, ReleaseSpringOvershootsOnceAndSettles)
{
    const QEasingCurve easing = Vevo::Motion::release.easing();
    qreal peak = 0;
    for (int step = 0; step <= 100; ++step)
        peak = std::max(peak, easing.valueForProgress(step / 100.0));
    EXPECT_NEAR(easing.valueForProgress(0), 0, 1e-6);
    EXPECT_NEAR(peak, 1.083, 0.01);
    EXPECT_NEAR(easing.valueForProgress(1), 1, 1e-9);
}

} // namespace
