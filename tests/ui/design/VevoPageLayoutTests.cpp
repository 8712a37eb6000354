#include "ColourReference.h"
#include "support/FakePlatform.h"
#include "support/Screenshots.h"
#include "support/Wait.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoBadge.h"
#include "ui/design/VevoCard.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoFlow.h"
#include "ui/design/VevoPage.h"
#include "ui/design/VevoPageHeader.h"
#include "ui/design/VevoSectionLabel.h"
#include "ui/design/VevoSplit.h"
#include "ui/design/VevoText.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QVBoxLayout>

namespace {

const QString paragraph = QStringLiteral(
    "Maps you import are copied into the game's map folder and appear in the skirmish list the next time the game "
    "starts. Maps that came with the game or with the online client stay where they are.");
const char *const tags[] = {"Ranked", "2 players", "Community", "A map whose name is far too long for any row",
                            "Beta",   "Desert",    "New"};

// The window's canvas, painted rather than filled from the palette so that a
// page filling its own background would cover it.
class Canvas final : public QWidget
{
public:
    explicit Canvas(QColor colour)
        : m_colour(colour)
    {
        new QVBoxLayout(this);
        layout()->setContentsMargins(0, 0, 0, 0);
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), m_colour); }

private:
    QColor m_colour;
};

VevoFlow *badges(VevoAppearance &appearance)
{
    auto *flow = new VevoFlow;
    int tone = 0;
    for (const char *tag : tags)
        flow->addWidget(new VevoBadge(appearance, QString::fromUtf8(tag), VevoTone(tone++ % 6)));
    return flow;
}

VevoText *wrapping(VevoAppearance &appearance, const QString &text)
{
    auto *label = new VevoText(appearance, text, Vevo::text, 13);
    label->setWrapping(true);
    return label;
}

QRect placeIn(const QWidget &widget, const QWidget &ancestor)
{
    return {widget.mapTo(&ancestor, QPoint(0, 0)), widget.size()};
}

// The widths of a window at its widest, at the page's maximum, at its minimum
// beside the sidebar, and beside the rail in an impossibly narrow window.
class VevoPageWidths : public testing::TestWithParam<int>
{};

TEST_P(VevoPageWidths, CentresAColumnNoWiderThanTheMaximumAndNeverOverflowsSideways)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    VevoPage page;
    auto *probe = new QWidget;
    probe->setFixedHeight(10);
    page.column()->addWidget(probe);
    auto *split = new VevoSplit;
    split->addWidget(wrapping(appearance, paragraph));
    auto *card = new VevoCard(appearance);
    card->column()->addLayout(badges(appearance));
    split->addWidget(card);
    page.column()->addLayout(split);
    auto *footer = new VevoBadge(appearance, QStringLiteral("Footer"));
    page.column()->addWidget(footer);
    page.resize(GetParam(), 600);
    page.show();

    QWidget &stage = *page.widget();
    const int room = page.viewport()->width();
    const int column = std::min(VevoPage::defaultMaxWidth, room - 2 * Vevo::Space::xxl);
    ASSERT_TRUE(eventually([&] { return page.vevoWidth() == column && probe->width() == column; }))
        << page.vevoWidth() << " " << column;
    const QRect probed = placeIn(*probe, *page.viewport());
    EXPECT_LE(std::abs(probed.left() - (room - 1 - probed.right())), 1) << "centred";
    EXPECT_EQ(page.horizontalScrollBar()->maximum(), 0);
    for (const QWidget *child : stage.findChildren<QWidget *>())
        EXPECT_LE(placeIn(*child, *page.viewport()).right(), room - 1) << child->metaObject()->className();
    // The split got all the height its wrapped columns need.
    const int splitBottom =
        std::max(placeIn(*split->itemAt(0)->widget(), stage).bottom(), placeIn(*card, stage).bottom());
    EXPECT_EQ(placeIn(*footer, stage).top(), splitBottom + 1 + Vevo::Space::xl);
}

INSTANTIATE_TEST_SUITE_P(Window, VevoPageWidths, testing::Values(1600, 944, 648, 300));

TEST(VevoPage, LetsTheCanvasShowAndAnnouncesWidthChanges)
{
    using namespace ColourReference;
    const QColor canvas(Qt::magenta);
    Canvas window(canvas);
    auto *page = new VevoPage;
    window.layout()->addWidget(page);
    page->column()->addWidget(new QWidget);
    window.resize(1200, 300);
    window.show();
    QSignalSpy widths(page, &VevoPage::vevoWidthChanged);
    ASSERT_TRUE(eventually([&] { return page->vevoWidth() == VevoPage::defaultMaxWidth; }));
    EXPECT_LE(distance(pixel(window, 600, 150), canvas), painted);

    window.resize(700, 300);
    ASSERT_TRUE(eventually([&] { return page->vevoWidth() == 700 - 2 * Vevo::Space::xxl; }));
    page->setMaxWidth(400);
    ASSERT_TRUE(eventually([&] { return page->vevoWidth() == 400; }));
    ASSERT_FALSE(widths.isEmpty());
    EXPECT_EQ(widths.last().at(0).toInt(), 400);
}

struct SplitCase
{
    int width;
    Qt::Alignment alignment;
    bool stacked;
    int trailingMaximum = QWIDGETSIZE_MAX;
};

void PrintTo(const SplitCase &split, std::ostream *out)
{
    *out << split.width << (split.trailingMaximum < QWIDGETSIZE_MAX ? "-fixed-trailing" : "");
}

class VevoSplitCases : public testing::TestWithParam<SplitCase>
{};

// Leading at least 300, trailing at least 200, 24 between: side by side from
// 524 up, sharing what is left over evenly unless the trailing one stops
// growing.
TEST_P(VevoSplitCases, KeepsTheLeadingMinimumOrStacksAndReportsTheHeightItUses)
{
    const auto [width, alignment, stacked, trailingMaximum] = GetParam();
    FakePlatform platform;
    VevoAppearance appearance(platform);
    QWidget container;
    auto *split = new VevoSplit(&container);
    split->setContentsMargins(0, 0, 0, 0);
    split->setSpacing(24);
    split->setMinLeading(300);
    split->setVerticalAlignment(alignment);
    VevoText *leading = wrapping(appearance, paragraph);
    auto *trailing = new QWidget;
    trailing->setMinimumSize(200, 40);
    trailing->setMaximumWidth(trailingMaximum);
    split->addWidget(leading);
    split->addWidget(trailing);
    container.resize(width, split->heightForWidth(width));
    container.show();
    ASSERT_TRUE(eventually([&, target = width] { return container.width() == target && leading->width() > 0; }));

    const QRect first = leading->geometry();
    const QRect second = trailing->geometry();
    EXPECT_EQ(first.left(), 0);
    EXPECT_EQ(second.right(), width - 1);
    if (stacked) {
        EXPECT_EQ(first.width(), width);
        EXPECT_EQ(second.left(), 0);
        EXPECT_EQ(second.top(), first.bottom() + 1 + 24);
    } else {
        EXPECT_GE(first.width(), 300);
        EXPECT_GE(second.width(), 200);
        EXPECT_LE(second.width(), trailingMaximum);
        EXPECT_EQ(second.left(), first.right() + 1 + 24);
        if (first.width() > 300 && second.width() < trailingMaximum) {
            EXPECT_LE(std::abs(first.width() - second.width()), 1);
        }
        if (alignment & Qt::AlignTop)
            EXPECT_EQ(first.top(), second.top());
        else if (alignment & Qt::AlignBottom)
            EXPECT_EQ(first.bottom(), second.bottom());
        else
            EXPECT_LE(std::abs(first.center().y() - second.center().y()), 1);
    }
    EXPECT_EQ(first.height(), leading->heightForWidth(first.width()));
    EXPECT_EQ(std::max(first.bottom(), second.bottom()) + 1, container.height());
}

INSTANTIATE_TEST_SUITE_P(Widths, VevoSplitCases,
                         testing::Values(SplitCase{900, Qt::AlignTop, false}, SplitCase{600, Qt::AlignVCenter, false},
                                         SplitCase{524, Qt::AlignBottom, false}, SplitCase{523, Qt::AlignTop, true},
                                         SplitCase{260, Qt::AlignTop, true}, SplitCase{900, Qt::AlignTop, false, 220}));

class VevoFlowWidths : public testing::TestWithParam<int>
{};

// Hidden items take no room; every other one sits right after the one before
// it unless that would overflow, and nothing ever does.
TEST_P(VevoFlowWidths, WrapsOnlyWhatDoesNotFitAndReportsTheHeightItUses)
{
    const int width = GetParam();
    FakePlatform platform;
    VevoAppearance appearance(platform);
    QWidget container;
    VevoFlow *flow = badges(appearance);
    container.setLayout(flow);
    flow->setContentsMargins(0, 0, 0, 0);
    flow->setSpacing(6);
    flow->setRowSpacing(10);
    flow->itemAt(1)->widget()->hide();
    container.resize(width, flow->heightForWidth(width));
    container.show();
    ASSERT_TRUE(eventually([&] { return container.width() == width && flow->itemAt(0)->widget()->width() > 0; }));

    const QWidget *previous = nullptr;
    int bottom = -1;
    for (int index = 0; index < flow->count(); ++index) {
        const QWidget *badge = flow->itemAt(index)->widget();
        if (badge->isHidden())
            continue;
        const QRect place = badge->geometry();
        EXPECT_EQ(place.width(), std::min(badge->sizeHint().width(), width)) << index;
        EXPECT_GE(place.left(), 0);
        EXPECT_LE(place.right(), width - 1);
        if (previous && place.top() == previous->y()) {
            EXPECT_EQ(place.left(), previous->geometry().right() + 1 + 6) << index;
        } else if (previous) {
            EXPECT_EQ(place.left(), 0) << index;
            EXPECT_GT(previous->geometry().right() + 1 + 6 + place.width(), width) << index;
            EXPECT_EQ(place.top(), bottom + 1 + 10) << index;
        }
        bottom = std::max(bottom, place.bottom());
        previous = badge;
    }
    EXPECT_EQ(bottom + 1, container.height());
}

INSTANTIATE_TEST_SUITE_P(Widths, VevoFlowWidths, testing::Values(90, 170, 320, 1200));

// A page at a wide and at a narrow window, for a person to judge.
TEST(VevoPageLayout, Screenshots)
{
    FakePlatform platform;
    platform.reducedMotion = true;
    for (bool dark : {false, true}) {
        platform.darkAppearance = dark;
        VevoAppearance appearance(platform);
        for (int width : {1200, 648}) {
            Canvas window(appearance.color(Vevo::canvas));
            auto *page = new VevoPage;
            window.layout()->addWidget(page);
            page->column()->addWidget(new VevoPageHeader(appearance, QStringLiteral("Maps"),
                                                         QStringLiteral("Map library"),
                                                         QStringLiteral("Everything the game will offer to play.")));
            auto *split = new VevoSplit;
            auto *about = new VevoCard(appearance);
            about->column()->addWidget(
                new VevoText(appearance, QStringLiteral("Imported maps"), Vevo::textStrong, 15, QFont::DemiBold));
            about->column()->addWidget(wrapping(appearance, paragraph));
            split->addWidget(about);
            auto *filters = new VevoCard(appearance, VevoSurface::well);
            filters->column()->addWidget(new VevoSectionLabel(appearance, QStringLiteral("Tags")));
            filters->column()->addLayout(badges(appearance));
            split->addWidget(filters);
            page->column()->addLayout(split);
            auto *section = new QVBoxLayout;
            section->setSpacing(Vevo::Space::sm);
            section->addWidget(new VevoSectionLabel(appearance, QStringLiteral("Status")));
            auto *status = new VevoFlow;
            for (const char *label : {"Installed", "Needs repair", "Update available", "Offline"}) {
                auto *badge = new VevoBadge(appearance, QString::fromUtf8(label), VevoTone::neutral);
                badge->setDot(true);
                status->addWidget(badge);
            }
            section->addLayout(status);
            page->column()->addLayout(section);
            window.resize(width, 520);
            window.show();
            ASSERT_TRUE(eventually([&] { return page->vevoWidth() > 0 && page->vevoWidth() <= width; }));
            saveScreenshot(window, QStringLiteral("design-page-%1-%2").arg(dark ? "dark" : "light").arg(width));
        }
    }
}

} // namespace
