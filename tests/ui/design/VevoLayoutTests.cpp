#include "DesignTest.h"
#include "ui/design/VevoEmptyState.h"
#include "ui/design/VevoFlow.h"
#include "ui/design/VevoMetrics.h"
#include "ui/design/VevoPage.h"
#include "ui/design/VevoRowList.h"
#include "ui/design/VevoSectionLabel.h"
#include "ui/design/VevoSplit.h"
#include "ui/design/VevoText.h"

#include <tuple>

namespace {

// What is out of place under the widget: anything outside its parent or over
// a neighbour, and texts that overflow their room instead of eliding or
// wrapping.
QStringList misplaced(const QWidget &top)
{
    QStringList faults;
    for (const QWidget *widget : top.findChildren<QWidget *>()) {
        const QString name = QString::fromLatin1(widget->metaObject()->className());
        if (!widget->isVisible())
            continue;
        if (!widget->parentWidget()->rect().contains(widget->geometry()))
            faults << name + QStringLiteral(" outside");
        for (const QWidget *other : widget->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (other != widget && other->isVisible() && other->geometry().intersects(widget->geometry()))
                faults << name + QStringLiteral(" over ") + QString::fromLatin1(other->metaObject()->className());
        }
        const auto *text = qobject_cast<const VevoText *>(widget);
        if (text
            && (text->height() < text->heightForWidth(text->width())
                || (!text->isWrapping()
                    && QFontMetricsF(text->font()).horizontalAdvance(text->shownText()) > text->width())))
            faults << text->text();
    }
    return faults;
}

// The settings page in a window at its widest, at the page's maximum, at its
// minimum beside the sidebar, and beside the rail in an impossibly narrow one.
class VevoPageWidths : public DesignTest, public testing::WithParamInterface<int>
{};

// The column is centred and no wider than the maximum, nothing on it is out
// of place (so every layout reported the height it uses), and the window's
// canvas shows through.
TEST_P(VevoPageWidths, LaysThePageOutInACentredColumn)
{
    QWidget window;
    window.setAutoFillBackground(true);
    window.setPalette(QPalette(Qt::magenta));
    buildSettingsPage(appearance, window);
    auto *page = window.findChild<VevoPage *>();
    // A page filling its own background would now cover the window's canvas.
    page->setPalette(QPalette(Qt::green));
    window.resize(GetParam(), 600);
    window.show();

    const QWidget *room = page->viewport(), *stage = page->widget();
    EXPECT_TRUE(eventually([&] { return misplaced(*stage).isEmpty(); })) << qPrintable(misplaced(*stage).join(u','));
    EXPECT_EQ(page->vevoWidth(), std::min(VevoPage::defaultMaxWidth, room->width() - 2 * Vevo::Space::xxl));
    EXPECT_LE(std::abs(stage->x() - (room->width() - 1 - stage->geometry().right())), 1) << "centred";
    EXPECT_LE(distance(window.grab().toImage().pixelColor(2, 300), Qt::magenta), painted);
    // Section labels show capitals but are read out as written.
    EXPECT_EQ(stage->findChild<VevoSectionLabel *>()->label()->accessibleName(), QStringLiteral("Installation"));
    // An empty state's message wraps rather than losing its end; rows are
    // divided only between each other.
    const VevoText *message = stage->findChild<VevoEmptyState *>()->message();
    EXPECT_EQ(message->shownText(), message->text());
    EXPECT_EQ(stage->findChildren<VevoDivider *>().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Window, VevoPageWidths, testing::Values(1600, 944, 648, 300));

// Leading at least 300 and 60 tall, trailing at least 200 and 40 tall, 24
// between: side by side from 524 up, sharing what is left over evenly unless
// the trailing one stops growing and lined up as asked, else stacked at full
// width.
TEST(VevoSplit, KeepsTheLeadingMinimumOrStacksAndReportsTheHeightItUses)
{
    constexpr int unbounded = QWIDGETSIZE_MAX;
    // The width, how the columns line up, how wide the trailing one may grow,
    // and where each goes.
    const std::tuple<int, Qt::AlignmentFlag, int, QRect, QRect> cases[] = {
        {900, Qt::AlignTop, unbounded, {0, 0, 438, 60}, {462, 0, 438, 40}},
        {600, Qt::AlignVCenter, unbounded, {0, 0, 300, 60}, {324, 10, 276, 40}},
        {524, Qt::AlignBottom, unbounded, {0, 0, 300, 60}, {324, 20, 200, 40}},
        {523, Qt::AlignBottom, unbounded, {0, 0, 523, 60}, {0, 84, 523, 40}},
        {900, Qt::AlignTop, 220, {0, 0, 656, 60}, {680, 0, 220, 40}}};
    for (const auto &[width, alignment, trailingMaximum, leadingPlace, trailingPlace] : cases) {
        QWidget container;
        auto *split = new VevoSplit(&container);
        split->setContentsMargins(0, 0, 0, 0);
        split->setSpacing(24);
        split->setMinLeading(300);
        split->setVerticalAlignment(alignment);
        auto *leading = new QWidget(&container), *trailing = new QWidget(&container);
        leading->setFixedHeight(60);
        trailing->setMinimumSize(200, 40);
        trailing->setMaximumSize(trailingMaximum, 40);
        split->addWidget(leading);
        split->addWidget(trailing);
        EXPECT_EQ(split->heightForWidth(width), std::max(leadingPlace.bottom(), trailingPlace.bottom()) + 1) << width;
        split->setGeometry(QRect(0, 0, width, split->heightForWidth(width)));
        EXPECT_EQ(leading->geometry(), leadingPlace) << width;
        EXPECT_EQ(trailing->geometry(), trailingPlace) << width;
    }
}

// Items 50, 80 (hidden), 60, 100 and 64 wide in 170, spaced 6 apart with 10
// between rows: hidden ones take no room, the rest fill each row in turn
// (the last one fits exactly), centred on it, and the height reported is the
// height used.
TEST(VevoFlow, FillsEachRowInTurnAndReportsTheHeightItUses)
{
    QWidget container;
    auto *flow = new VevoFlow(&container);
    flow->setContentsMargins(0, 0, 0, 0);
    flow->setSpacing(6);
    flow->setRowSpacing(10);
    QList<QWidget *> items;
    for (const QSize size : {QSize(50, 20), QSize(80, 20), QSize(60, 30), QSize(100, 20), QSize(64, 20)}) {
        items.append(new QWidget(&container));
        items.last()->setFixedSize(size);
        flow->addWidget(items.last());
    }
    items[1]->hide();
    EXPECT_EQ(flow->heightForWidth(170), 60);
    flow->setGeometry(QRect(0, 0, 170, 60));
    EXPECT_EQ(items[0]->geometry(), QRect(0, 5, 50, 20));
    EXPECT_EQ(items[2]->geometry(), QRect(56, 0, 60, 30));
    EXPECT_EQ(items[3]->geometry(), QRect(0, 40, 100, 20));
    EXPECT_EQ(items[4]->geometry(), QRect(106, 40, 64, 20));
}

} // namespace
