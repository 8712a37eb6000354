#include "DesignTest.h"
#include "ui/design/VevoButton.h"
#include "ui/design/VevoDisclosure.h"
#include "ui/design/VevoMetrics.h"
#include "ui/design/VevoProgressBar.h"
#include "ui/design/VevoStatusDot.h"
#include "ui/design/VevoTextInput.h"

#include <QAccessible>
#include <QLabel>
#include <QtNumeric>

using namespace Qt::StringLiterals;

namespace {

using VevoWidgets = DesignTest;

// The colour in the body of the button, clear of its label and edges.
QColor body(VevoButton &button)
{
    return button.grab().toImage().pixelColor(4, button.height() / 2);
}

// Every kind shows the pointer over it. Pressing shrinks the button and
// releasing springs it back; with reduced motion the pressed colour shows at
// once and nothing moves.
TEST_F(VevoWidgets, ButtonShowsHoverAndAnimatesPressesUnlessMotionIsReduced)
{
    for (int kind = 0; kind <= static_cast<int>(VevoButtonKind::dangerQuiet); ++kind) {
        VevoButton button(appearance, u"Repair"_s, VevoButtonKind(kind));
        button.show();
        const QColor rest = body(button);
        QTest::mouseMove(&button, QPoint(4, 4));
        ASSERT_TRUE(eventually([&] { return button.underMouse(); }));
        EXPECT_GT(distance(body(button), rest), painted) << kind;
    }
    VevoButton button(appearance, u"Install"_s, VevoButtonKind::primary);
    button.show();
    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_TRUE(eventually([&] { return button.pressScale() < 0.971; }));
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_TRUE(eventually([&] { return button.pressScale() == 1.0; }));

    reduceMotion();
    const QColor rest = body(button);
    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_GT(distance(body(button), rest), painted);
    EXPECT_EQ(button.pressScale(), 1.0);
    QTest::mouseRelease(&button, Qt::LeftButton);
}

// Icons widen the button; when the room runs short only the title gives way,
// so both icons stay whole inside the padding.
TEST_F(VevoWidgets, ButtonIconsTakeRoomAndStayWholeWhenTheTitleElides)
{
    const QString title = u"Download Community Maps"_s;
    VevoButton plain(appearance, title);
    VevoButton button(appearance, title);
    button.setSymbol(u"arrow.down.circle"_s);
    button.setTrailingSymbol(u"chevron.right"_s);
    const VevoControlMetrics md = metrics(VevoControlSize::md);
    EXPECT_GT(button.sizeHint().width(), plain.sizeHint().width() + 2 * md.fontPixelSize);

    button.resize(button.minimumSizeHint());
    const QImage image = button.grab().toImage();
    // Whether anything but the fill is painted in the columns, between the
    // highlights along the edges.
    const auto inked = [&](int from, int to) {
        return anyPixel(image, QRect(from, 4, to - from, image.height() - 8), [&](const QColor &shown) {
            return distance(shown, Vevo::fill.color(VevoScheme::light)) > 0.1;
        });
    };
    const int end = image.width() - md.padding;
    const int icon = md.fontPixelSize + 2;
    EXPECT_FALSE(inked(2, md.padding) || inked(end, image.width() - 2));
    EXPECT_TRUE(inked(md.padding, md.padding + icon));
    EXPECT_TRUE(inked(end - icon, end));
}

TEST_F(VevoWidgets, TextInputMasksSecureEntryEvenToAssistiveTechnologyAndKeepsTextClearOfItsIcon)
{
    VevoTextInput input(appearance, u"Password"_s);
    input.setSecure(true);
    QTest::keyClicks(&input, u"hunter2"_s);
    EXPECT_NE(input.displayText(), u"hunter2"_s);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&input);
    ASSERT_NE(accessible, nullptr);
    EXPECT_FALSE(accessible->text(QAccessible::Value).contains(u"hunter2"_s));

    input.setSecure(false);
    EXPECT_EQ(input.displayText(), u"hunter2"_s);

    // A leading icon sits at the left inside the field and the text starts
    // after it; without the icon the text takes its place again.
    input.setText(u"WWWWWWWW"_s);
    input.resize(input.sizeHint());
    // Whether anything darker than the grey is painted where the icon goes.
    // The icon's muted grey lies between the well and the darker text.
    const auto darker = [&](const VevoRole &lighter, const VevoRole &darker) {
        const double grey = (appearance.color(lighter).redF() + appearance.color(darker).redF()) / 2;
        return anyPixel(input.grab().toImage(), QRect(Vevo::Space::sm, 0, 16, input.height()),
                        [&](const QColor &shown) { return shown.redF() < grey; });
    };
    input.setSymbol(u"magnifyingglass"_s);
    EXPECT_FALSE(darker(Vevo::textMuted, Vevo::text)) << "text under the icon";
    EXPECT_TRUE(darker(Vevo::sunken, Vevo::textMuted)) << "no icon";
    input.setSymbol({});
    EXPECT_TRUE(darker(Vevo::textMuted, Vevo::text)) << "no text at the left";
}

// Clicking the header or pressing a key toggles the content and what is
// announced.
TEST_F(VevoWidgets, DisclosureHeaderClickAndKeysToggleTheContentAndWhatIsAnnounced)
{
    VevoDisclosure disclosure(appearance, u"Advanced"_s, new QLabel(u"Details"_s));
    disclosure.show();
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&disclosure);
    ASSERT_NE(accessible, nullptr);
    const auto expanded = [&](bool shown) {
        return disclosure.content()->isVisible() == shown
               && accessible->text(QAccessible::Value) == QLatin1String(shown ? "Expanded" : "Collapsed");
    };
    EXPECT_TRUE(expanded(false));
    QTest::mouseClick(&disclosure, Qt::LeftButton, {}, QPoint(40, 8));
    EXPECT_TRUE(expanded(true));
    // A click inside the content is the content's, not the header's.
    QTest::mouseClick(&disclosure, Qt::LeftButton, {}, QPoint(40, disclosure.height() - 2));
    EXPECT_TRUE(expanded(true));

    QTest::keyClick(&disclosure, Qt::Key_Space);
    EXPECT_TRUE(expanded(false));
}

// Out-of-range and non-numeric progress is clamped rather than announced as
// "-50 percent"; the bar says 100 only when it is full. It fills to its
// progress. The bar sweeps and the dot pulses only while asked, shown and
// allowed to move, following the system's preference; a still bar holds its
// segment in the middle.
TEST_F(VevoWidgets, ProgressBarAndDotTellTheirStateAndMoveOnlyWhenAllowed)
{
    VevoProgressBar bar(appearance);
    VevoStatusDot dot(appearance, VevoTone::ok);
    bar.resize(200, 6);
    const auto shows = [&](int x, const VevoRole &role) {
        return distance(bar.grab().toImage().pixelColor(x, 3), appearance.color(role)) <= painted;
    };
    const std::pair<double, const char *> announcements[] = {
        {0.424, "42 percent"}, {0.29, "29 percent"}, {0.999, "99 percent"}, {1.0, "100 percent"},
        {-0.5, "0 percent"},   {1.7, "100 percent"}, {qQNaN(), "0 percent"}};
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&bar);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::ProgressBar);
    for (const auto &[progress, value] : announcements) {
        bar.setProgress(progress);
        EXPECT_EQ(accessible->text(QAccessible::Value), QLatin1String(value)) << progress;
    }
    bar.setProgress(0.5);
    EXPECT_TRUE(shows(50, Vevo::live) && shows(150, Vevo::fillHover));

    bar.setIndeterminate(true);
    dot.show();
    EXPECT_EQ(accessible->text(QAccessible::Value), u"In progress"_s);
    EXPECT_FALSE(bar.isAnimating() || dot.isAnimating());
    bar.show();
    dot.setPulsing(true);
    EXPECT_TRUE(bar.isAnimating() && dot.isAnimating());
    bar.hide();
    EXPECT_FALSE(bar.isAnimating());
    bar.show();
    bar.setIndeterminate(false);
    EXPECT_FALSE(bar.isAnimating());
    reduceMotion();
    bar.setIndeterminate(true);
    EXPECT_FALSE(bar.isAnimating() || dot.isAnimating());
    EXPECT_TRUE(shows(100, Vevo::live) && shows(20, Vevo::fillHover));
    reduceMotion(false);
    EXPECT_TRUE(dot.isAnimating());
}

} // namespace
