#include "support/FakePlatform.h"
#include "support/Wait.h"
#include "ui/design/VevoAnimation.h"
#include "ui/design/VevoAppearance.h"

#include <gtest/gtest.h>

#include <QList>

namespace {

// An animation from `initial` that records every value it applies.
struct Animated
{
    FakePlatform platform;
    VevoAppearance appearance{platform};
    QObject owner;
    QList<double> applied;
    VevoAnimation *animation = nullptr;

    explicit Animated(double initial)
        : animation(new VevoAnimation(
            owner, appearance, Vevo::Motion::standard, [this](double value) { applied.append(value); }, initial))
    {}
};

// 0.8 + (0.1 - 0.8) is not 0.1 in floating point: the last step must land on
// the target itself.
TEST(VevoAnimation, EndsExactlyOnItsTarget)
{
    Animated animated(0.8);
    animated.animation->animateTo(0.1);
    ASSERT_TRUE(eventually([&] { return !animated.animation->isRunning(); }));
    EXPECT_EQ(animated.animation->value(), 0.1);
    ASSERT_GT(animated.applied.size(), 1);
    EXPECT_EQ(animated.applied.last(), 0.1);
}

// Collapsing the sidebar while it is still widening turns back from where it
// is, never jumping to either end first.
TEST(VevoAnimation, ChangesCourseFromTheCurrentValue)
{
    Animated animated(68);
    animated.animation->animateTo(232);
    ASSERT_TRUE(eventually([&] { return animated.animation->value() > 68; }));
    ASSERT_TRUE(animated.animation->isRunning());
    const double turn = animated.animation->value();
    const qsizetype before = animated.applied.size();
    animated.animation->animateTo(68);
    EXPECT_EQ(animated.animation->value(), turn);
    ASSERT_TRUE(eventually([&] { return !animated.animation->isRunning(); }));
    const QList<double> back = animated.applied.mid(before);
    ASSERT_FALSE(back.isEmpty());
    for (qsizetype step = 0; step < back.size(); ++step)
        EXPECT_LE(back[step], step == 0 ? turn : back[step - 1]) << step;
    EXPECT_EQ(back.last(), 68);
}

TEST(VevoAnimation, AppliesAtOnceUnderReducedMotionEvenMidFlight)
{
    Animated animated(0);
    animated.platform.reducedMotion = true;
    animated.platform.preferencesChanged();
    animated.animation->animateTo(1);
    EXPECT_FALSE(animated.animation->isRunning());
    EXPECT_EQ(animated.applied, QList<double>{1});

    animated.platform.reducedMotion = false;
    animated.platform.preferencesChanged();
    animated.animation->animateTo(0);
    ASSERT_TRUE(animated.animation->isRunning());
    animated.platform.reducedMotion = true;
    animated.platform.preferencesChanged();
    animated.animation->animateTo(0.5);
    EXPECT_FALSE(animated.animation->isRunning());
    EXPECT_EQ(animated.applied.last(), 0.5);
}

} // namespace
