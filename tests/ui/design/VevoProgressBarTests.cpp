#include "ColourReference.h"
#include "support/FakePlatform.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoProgressBar.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <limits>

using namespace ColourReference;

namespace {

class VevoProgressBarTest : public testing::Test
{
protected:
    FakePlatform platform;
    VevoAppearance appearance{platform};
    VevoProgressBar bar{appearance};

    void SetUp() override { bar.resize(200, 6); }

    QColor at(int x) { return pixel(bar, x, 3); }
};

// Out-of-range and non-numeric progress is clamped rather than announced as
// "-50 percent"; the bar says 100 only when it is full.
TEST_F(VevoProgressBarTest, TellsAssistiveTechnologyWhatItShows)
{
    const std::pair<double, const char *> announcements[] = {
        {0.424, "42 percent"}, {0.29, "29 percent"},
        {0.999, "99 percent"}, {1.0, "100 percent"},
        {-0.5, "0 percent"},   {1.7, "100 percent"},
        {0.5, "50 percent"},   {std::numeric_limits<double>::quiet_NaN(), "0 percent"}};
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&bar);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::ProgressBar);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Progress"));
    for (const auto &[progress, value] : announcements) {
        bar.setProgress(progress);
        EXPECT_EQ(accessible->text(QAccessible::Value), QString::fromUtf8(value)) << progress;
    }
    bar.setIndeterminate(true);
    EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("In progress"));
}

TEST_F(VevoProgressBarTest, FillsToItsClampedProgressInTheCurrentAppearance)
{
    bar.setProgress(0.5);
    EXPECT_LE(distance(at(50), Vevo::live.color(VevoScheme::light)), painted);
    EXPECT_LE(distance(at(150), Vevo::fillHover.color(VevoScheme::light)), painted);

    platform.darkAppearance = true;
    appearance.refresh();
    EXPECT_LE(distance(at(50), Vevo::live.color(VevoScheme::dark)), painted);
    EXPECT_LE(distance(at(150), Vevo::fillHover.color(VevoScheme::dark)), painted);
    bar.setProgress(4.0);
    EXPECT_LE(distance(at(196), Vevo::live.color(VevoScheme::dark)), painted);
    bar.setProgress(-1.0);
    EXPECT_LE(distance(at(3), Vevo::fillHover.color(VevoScheme::dark)), painted);
}

TEST_F(VevoProgressBarTest, SweepsOnlyWhileIndeterminateShownAndMotionIsAllowed)
{
    bar.setIndeterminate(true);
    EXPECT_FALSE(bar.isAnimating());
    bar.show();
    EXPECT_TRUE(bar.isAnimating());
    bar.hide();
    EXPECT_FALSE(bar.isAnimating());
    bar.show();
    bar.setIndeterminate(false);
    EXPECT_FALSE(bar.isAnimating());

    // Without motion the segment holds still in the middle of the track.
    bar.setIndeterminate(true);
    platform.reducedMotion = true;
    platform.preferencesChanged();
    EXPECT_FALSE(bar.isAnimating());
    EXPECT_LE(distance(at(100), Vevo::live.color(VevoScheme::light)), painted);
    EXPECT_LE(distance(at(20), Vevo::fillHover.color(VevoScheme::light)), painted);
}

} // namespace
