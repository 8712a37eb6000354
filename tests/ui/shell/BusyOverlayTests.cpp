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

#include <QGraphicsOpacityEffect>

#include <limits>

namespace {

TEST_F(ShellTest, TheOverlayShowsExactlyWhileAnOperationRuns)
{
    BusyOverlay *overlay = content->overlay();
    EXPECT_FALSE(overlay->isVisible());
    operation.begin(InstallerPhase::community, 0.08, QStringLiteral("Checking imported map packages…"));
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_EQ(overlay->geometry(), content->rect());
    EXPECT_EQ(overlay->card()->width(), BusyOverlay::cardWidth);
    EXPECT_EQ(find<VevoText>(QStringLiteral("busyActivity"))->text(),
              QStringLiteral("Checking imported map packages…"));

    operation.finish(QStringLiteral("Maps imported."));
    EXPECT_FALSE(overlay->isVisible());
}

TEST_F(ShellTest, ThePhaseBadgeTurnsOnlyWhileWorkGoesOnAndMotionIsAllowed)
{
    auto *badge = find<PhaseBadge>(QStringLiteral("phaseBadge"));
    operation.begin(InstallerPhase::gameFiles, 0.2, QStringLiteral("Downloading…"));
    EXPECT_FALSE(badge->isTurning());
    operation.finish(QStringLiteral("Done."));

    platform.reducedMotion = false;
    platform.preferencesChanged();
    operation.begin(InstallerPhase::gameFiles, 0.2, QStringLiteral("Downloading…"));
    EXPECT_TRUE(eventually([&] { return badge->isTurning(); }));
    operation.begin(InstallerPhase::complete, 1, QStringLiteral("Finishing…"));
    EXPECT_FALSE(badge->isTurning());
}

TEST_F(ShellTest, TheOverlayFadesOutWithMotionAndThenHides)
{
    platform.reducedMotion = false;
    platform.preferencesChanged();
    operation.begin(InstallerPhase::preparing, 0, QStringLiteral("Preparing…"));
    const auto *fade = static_cast<QGraphicsOpacityEffect *>(content->overlay()->graphicsEffect());
    ASSERT_TRUE(eventually([&] { return fade->opacity() > 0; }));
    operation.finish(QStringLiteral("Done."));
    EXPECT_TRUE(content->overlay()->isVisible());
    EXPECT_TRUE(eventually([&] { return !content->overlay()->isVisible(); }));
}

TEST_F(ShellTest, PhaseChipsFollowTheInstallerPhase)
{
    operation.begin(InstallerPhase::onlineClient, 0.5, QStringLiteral("Installing…"));
    const QList<PhaseChip *> chips = content->overlay()->findChildren<PhaseChip *>();
    ASSERT_EQ(chips.size(), 6);
    for (PhaseChip *chip : chips) {
        EXPECT_EQ(chip->isComplete(), chip->phase() < InstallerPhase::onlineClient)
            << qPrintable(chip->accessibleName());
        EXPECT_EQ(chip->isActive(), chip->phase() == InstallerPhase::onlineClient)
            << qPrintable(chip->accessibleName());
    }
    operation.begin(InstallerPhase::complete, 1, QStringLiteral("Finishing…"));
    for (PhaseChip *chip : chips)
        EXPECT_TRUE(chip->isComplete() && !chip->isActive()) << qPrintable(chip->accessibleName());
}

TEST_F(ShellTest, TheCardMarksAStallAndShowsTheDetailOnlyWhenSet)
{
    operation.begin(InstallerPhase::environment, 0.3, QStringLiteral("Creating the Wine prefix…"));
    auto *detail = find<VevoText>(QStringLiteral("busyDetail"));
    auto *stall = find<VevoBadge>(QStringLiteral("stallMark"));
    auto *bar = find<VevoProgressBar>(QStringLiteral("busyProgress"));
    EXPECT_FALSE(detail->isVisible());
    EXPECT_FALSE(stall->isVisible());

    setPrefixProgress(true, QStringLiteral("No prefix writes for 90 seconds."), true);
    EXPECT_TRUE(detail->isVisible());
    EXPECT_EQ(detail->text(), QStringLiteral("No prefix writes for 90 seconds."));
    EXPECT_TRUE(stall->isVisible());
    EXPECT_EQ(bar->accessibleValue(), QStringLiteral("In progress"));
    EXPECT_FALSE(find<PercentReadout>(QStringLiteral("busyReadout"))->isVisible());
}

TEST_F(ShellTest, ExtremeTextsAndProgressStayInsideTheCard)
{
    const QString longText = QStringLiteral("Verifying ") + QString(400, QLatin1Char('W')) + QStringLiteral("…");
    operation.begin(InstallerPhase::gameFiles, 0.5, longText);
    setPrefixProgress(false, longText, false);
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

TEST(PercentReadout, ShowsAWholePercentageOfAnyProgress)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    PercentReadout readout(appearance);
    const std::pair<double, const char *> cases[] = {{0.426, "42%"}, {1.0, "100%"},
                                                     {0.999, "99%"}, {-0.5, "0%"},
                                                     {1.7, "100%"},  {std::numeric_limits<double>::quiet_NaN(), "0%"}};
    for (const auto &[progress, shown] : cases) {
        readout.setProgress(progress);
        const QLatin1String expected(shown);
        EXPECT_TRUE(eventually([&] { return readout.shownText() == expected; }))
            << progress << " shows " << qPrintable(readout.shownText());
    }
}

} // namespace
