#include "support/Wait.h"
#include "ui/design/VevoBadge.h"
#include "ui/design/VevoCard.h"
#include "ui/design/VevoProgressBar.h"
#include "ui/design/VevoText.h"
#include "ui/shell/BusyOverlay.h"
#include "ui/shell/PercentReadout.h"
#include "ui/shell/PhaseBadge.h"
#include "ui/shell/PhaseChip.h"
#include "ui/shell/ShellFixture.h"

#include <limits>

namespace {

TEST_F(ShellTest, TheOverlayShowsTheRunningOperationWhileItRuns)
{
    BusyOverlay *overlay = content->overlay();
    auto *readout = find<PercentReadout>(QStringLiteral("busyReadout"));
    EXPECT_FALSE(overlay->isVisible());
    const std::pair<double, const char *> percentages[] = {
        {0.426, "42%"}, {1.0, "100%"}, {0.999, "99%"},
        {-0.5, "0%"},   {1.7, "100%"}, {std::numeric_limits<double>::quiet_NaN(), "0%"}};
    for (const auto &[progress, shown] : percentages) {
        operation.begin(InstallerPhase::environment, progress, QStringLiteral("Creating the Wine prefix…"));
        EXPECT_TRUE(eventually([&] { return readout->shownText() == QLatin1String(shown); }))
            << progress << " shows " << qPrintable(readout->shownText());
    }
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_EQ(overlay->geometry(), content->rect());
    EXPECT_EQ(find<VevoText>(QStringLiteral("busyActivity"))->text(), QStringLiteral("Creating the Wine prefix…"));
    auto *detail = find<VevoText>(QStringLiteral("busyDetail"));
    auto *stall = find<VevoBadge>(QStringLiteral("stallMark"));
    EXPECT_FALSE(detail->isVisible());
    EXPECT_FALSE(stall->isVisible());

    // What only a supervised prefix creation reports.
    operation.setProgressIsIndeterminate(true);
    operation.setProgressDetail(QStringLiteral("No prefix writes for 90 seconds."));
    operation.setProgressStalled(true);
    EXPECT_TRUE(detail->isVisible());
    EXPECT_EQ(detail->text(), QStringLiteral("No prefix writes for 90 seconds."));
    EXPECT_TRUE(stall->isVisible());
    EXPECT_EQ(find<VevoProgressBar>(QStringLiteral("busyProgress"))->accessibleValue(), QStringLiteral("In progress"));
    EXPECT_FALSE(readout->isVisible());

    operation.finish(QStringLiteral("Done."));
    EXPECT_FALSE(overlay->isVisible());
}

// The chips follow the phase; the badge turns only while work goes on and
// motion is allowed, following the system's setting as it changes; with
// motion the overlay fades out.
TEST_F(ShellTest, ChipsFollowThePhaseAndMotionTheSystemSetting)
{
    auto *badge = find<PhaseBadge>(QStringLiteral("phaseBadge"));
    const QList<PhaseChip *> chips = content->overlay()->findChildren<PhaseChip *>();
    ASSERT_EQ(chips.size(), 6);
    operation.begin(InstallerPhase::gameFiles, 0.2, QStringLiteral("Downloading…"));
    EXPECT_FALSE(badge->isTurning());
    for (PhaseChip *chip : chips) {
        EXPECT_EQ(chip->isComplete(), chip->phase() < InstallerPhase::gameFiles) << qPrintable(chip->accessibleName());
        EXPECT_EQ(chip->isActive(), chip->phase() == InstallerPhase::gameFiles) << qPrintable(chip->accessibleName());
    }
    platform.reducedMotion = false;
    platform.preferencesChanged();
    EXPECT_TRUE(eventually([&] { return badge->isTurning(); }));

    operation.begin(InstallerPhase::complete, 1, QStringLiteral("Finishing…"));
    EXPECT_FALSE(badge->isTurning());
    for (PhaseChip *chip : chips)
        EXPECT_TRUE(chip->isComplete() && !chip->isActive()) << qPrintable(chip->accessibleName());
    operation.finish(QStringLiteral("Done."));
    EXPECT_TRUE(content->overlay()->isVisible());
    EXPECT_TRUE(eventually([&] { return !content->overlay()->isVisible(); }));
}

TEST_F(ShellTest, ExtremeTextsAndProgressStayInsideTheCard)
{
    const QString longText = QStringLiteral("Verifying ") + QString(400, QLatin1Char('W')) + QStringLiteral("…");
    operation.begin(InstallerPhase::gameFiles, 0.5, longText);
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
