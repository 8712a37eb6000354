#include "ColourReference.h"
#include "support/FakePlatform.h"
#include "support/Wait.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoBadge.h"
#include "ui/design/VevoCard.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoFlow.h"
#include "ui/design/VevoPage.h"
#include "ui/design/VevoSplit.h"
#include "ui/design/VevoText.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSignalSpy>
#include <QVBoxLayout>

#include <tuple>

namespace {

const QString paragraph = QStringLiteral(
    "Maps you import are copied into the game's map folder and appear in the skirmish list the next time the game "
    "starts. Maps that came with the game or with the online client stay where they are.");
const char *const tags[] = {"Ranked", "2 players", "Community", "A map whose name is far too long for any row",
                            "Beta",   "Desert",    "New"};

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

TEST_P(VevoPageWidths, CentresAColumnNoWiderThanTheMaximumOverTheWindowsCanvas)
{
    using namespace ColourReference;
    FakePlatform platform;
    VevoAppearance appearance(platform);
    QWidget window;
    window.setAutoFillBackground(true);
    window.setPalette(QPalette(Qt::magenta));
    auto *page = new VevoPage(&window);
    // A page filling its own background would now cover the window's canvas.
    page->setPalette(QPalette(Qt::green));
    auto *split = new VevoSplit;
    VevoText *leading = wrapping(appearance, paragraph);
    auto *card = new VevoCard(appearance);
    card->column()->addLayout(badges(appearance));
    split->addWidget(leading);
    split->addWidget(card);
    page->column()->addLayout(split);
    auto *probe = new QWidget;
    probe->setFixedHeight(10);
    page->column()->addWidget(probe);
    page->resize(GetParam(), 600);
    window.resize(page->size());
    window.show();

    int room = 0;
    ASSERT_TRUE(eventually([&] {
        room = page->viewport()->width();
        const int column = std::min(VevoPage::defaultMaxWidth, room - 2 * Vevo::Space::xxl);
        return page->vevoWidth() == column && probe->width() == column;
    })) << page->vevoWidth()
        << " in " << room;
    const QRect probed = placeIn(*probe, *page->viewport());
    EXPECT_LE(std::abs(probed.left() - (room - 1 - probed.right())), 1) << "centred";
    EXPECT_EQ(page->horizontalScrollBar()->maximum(), 0);
    for (const QWidget *child : page->widget()->findChildren<QWidget *>())
        EXPECT_LE(placeIn(*child, *page->viewport()).right(), room - 1) << child->metaObject()->className();
    // The split got all the height its wrapped columns need.
    EXPECT_EQ(probe->y(), std::max(leading->geometry().bottom(), card->geometry().bottom()) + 1 + Vevo::Space::xl);
    EXPECT_LE(distance(pixel(window, 2, 300), Qt::magenta), painted);

    QSignalSpy widths(page, &VevoPage::vevoWidthChanged);
    page->setMaxWidth(200);
    ASSERT_TRUE(eventually([&] { return page->vevoWidth() == 200; }));
    ASSERT_FALSE(widths.isEmpty());
    EXPECT_EQ(widths.last().at(0).toInt(), 200);
}

INSTANTIATE_TEST_SUITE_P(Window, VevoPageWidths, testing::Values(1600, 944, 648, 300));

// The width, how the columns line up, whether they stack, and how wide the
// trailing one may grow.
using SplitCase = std::tuple<int, Qt::AlignmentFlag, bool, int>;
constexpr int unbounded = QWIDGETSIZE_MAX;

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
    EXPECT_GT(first.height(), leading->fontMetrics().height()) << "wraps";
    EXPECT_EQ(first.height(), leading->heightForWidth(first.width()));
    EXPECT_EQ(std::max(first.bottom(), second.bottom()) + 1, container.height());
    if (stacked) {
        EXPECT_EQ(first.width(), width);
        EXPECT_EQ(second.topLeft(), QPoint(0, first.bottom() + 1 + 24));
        return;
    }
    EXPECT_GE(first.width(), 300);
    EXPECT_GE(second.width(), 200);
    EXPECT_LE(second.width(), trailingMaximum);
    EXPECT_EQ(second.left(), first.right() + 1 + 24);
    if (first.width() > 300 && second.width() < trailingMaximum) {
        EXPECT_LE(std::abs(first.width() - second.width()), 1);
    }
    // Above each column lies none, half or all of the height it leaves free.
    const int share = alignment & Qt::AlignTop ? 0 : alignment & Qt::AlignVCenter ? 1 : 2;
    for (const QRect &column : {first, second})
        EXPECT_LE(std::abs(column.top() - (container.height() - column.height()) * share / 2), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, VevoSplitCases,
    testing::Values(SplitCase{900, Qt::AlignTop, false, unbounded}, SplitCase{600, Qt::AlignVCenter, false, unbounded},
                    SplitCase{524, Qt::AlignBottom, false, unbounded}, SplitCase{523, Qt::AlignTop, true, unbounded},
                    SplitCase{260, Qt::AlignTop, true, unbounded}, SplitCase{900, Qt::AlignTop, false, 220}));

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

} // namespace
