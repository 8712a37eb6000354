#include "support/Wait.h"
#include "ui/design/VevoCard.h"
#include "ui/design/VevoText.h"
#include "ui/shell/BusyOverlay.h"
#include "ui/shell/PercentReadout.h"
#include "ui/shell/PhaseBadge.h"
#include "ui/shell/PhaseChip.h"
#include "ui/shell/ShellFixture.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// The overlay covers the window while work goes on, with the activity and
// the percentage clamped and rounded down, but no details or stall a plain
// operation never reports. The chips follow the phase; the badge turns only
// while work goes on and motion is allowed, following the system's setting as
// it changes; with motion the overlay fades out.
TEST_F(ShellTest, TheOverlayShowsTheRunningOperationWhileItRuns)
{
    BusyOverlay *overlay = content->overlay();
    auto *readout = find<PercentReadout>(u"busyReadout"_s);
    EXPECT_FALSE(overlay->isVisible());
    const std::pair<double, const char *> percentages[] = {
        {0.426, "42%"}, {1.0, "100%"}, {0.999, "99%"},
        {-0.5, "0%"},   {1.7, "100%"}, {std::numeric_limits<double>::quiet_NaN(), "0%"}};
    for (const auto &[progress, shown] : percentages) {
        EXPECT_TRUE(operation.begin(InstallerPhase::gameFiles, progress, u"Verifying game files…"_s));
        EXPECT_TRUE(eventually([&] { return readout->shownText() == QLatin1String(shown); }))
            << progress << " shows " << qPrintable(readout->shownText());
    }
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_EQ(overlay->geometry(), content->rect());
    EXPECT_EQ(find<VevoText>(u"busyActivity"_s)->text(), u"Verifying game files…"_s);
    EXPECT_FALSE(find<QWidget>(u"busyDetail"_s)->isVisible() || find<QWidget>(u"stallMark"_s)->isVisible());

    auto *badge = find<PhaseBadge>(u"phaseBadge"_s);
    const QList<PhaseChip *> chips = overlay->findChildren<PhaseChip *>();
    ASSERT_EQ(chips.size(), 6);
    EXPECT_FALSE(badge->isTurning());
    for (PhaseChip *chip : chips) {
        EXPECT_EQ(chip->isComplete(), chip->phase() < InstallerPhase::gameFiles) << qPrintable(chip->accessibleName());
        EXPECT_EQ(chip->isActive(), chip->phase() == InstallerPhase::gameFiles) << qPrintable(chip->accessibleName());
    }
    platform.reducedMotion = false;
    platform.preferencesChanged();
    EXPECT_TRUE(eventually([&] { return badge->isTurning(); }));

    EXPECT_TRUE(operation.begin(InstallerPhase::complete, 1, u"Finishing…"_s));
    EXPECT_FALSE(badge->isTurning());
    for (PhaseChip *chip : chips)
        EXPECT_TRUE(chip->isComplete() && !chip->isActive()) << qPrintable(chip->accessibleName());
    operation.finish(u"Done."_s);
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_TRUE(eventually([&] { return !overlay->isVisible(); }));
}

TEST_F(ShellTest, ExtremeTextsAndProgressStayInsideTheCard)
{
    const QString longText = u"Verifying "_s + QString(400, u'W') + u"…"_s;
    EXPECT_TRUE(operation.begin(InstallerPhase::gameFiles, 0.5, longText));
    operation.setProgressDetail(longText);
    content->resize(880, 600);
    QCoreApplication::processEvents();
    const VevoCard *card = content->overlay()->card();
    EXPECT_TRUE(content->rect().contains(card->geometry())) << testing::PrintToString(card->geometry());
    for (const char *name : {"busyActivity", "busyDetail"}) {
        auto *text = find<VevoText>(QLatin1String(name));
        EXPECT_TRUE(text->shownText().endsWith(QChar(0x2026))) << name;
        EXPECT_LE(text->mapTo(card, QPoint(text->width(), 0)).x(), card->width()) << name;
    }
}

} // namespace
