#include "ColourReference.h"
#include "support/FakePlatform.h"
#include "support/Wait.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoButton.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoMetrics.h"

#include <gtest/gtest.h>

#include <QHBoxLayout>

#include <tuple>

using namespace ColourReference;

namespace {

// The colour in the body of the button, clear of its label and edges.
QColor body(VevoButton &button)
{
    return pixel(button, 4, button.height() / 2);
}

TEST(VevoButton, FillsByKindAtRestAndHoveredInEitherScheme)
{
    const std::tuple<VevoButtonKind, const VevoRole *, const VevoRole *> fills[] = {
        {VevoButtonKind::primary, &Vevo::live, &Vevo::liveHover},
        {VevoButtonKind::secondary, &Vevo::fill, &Vevo::fillHover},
        {VevoButtonKind::outline, nullptr, &Vevo::fill},
        {VevoButtonKind::ghost, nullptr, &Vevo::fill}};
    FakePlatform platform;
    VevoAppearance appearance(platform);
    for (VevoScheme scheme : {VevoScheme::light, VevoScheme::dark}) {
        platform.darkAppearance = scheme == VevoScheme::dark;
        appearance.refresh();
        for (const auto &[kind, rest, hovered] : fills) {
            VevoButton button(appearance, QStringLiteral("Repair"), kind);
            button.resize(button.sizeHint());
            button.show();
            EXPECT_LE(rest ? distance(body(button), rest->color(scheme)) : 0, painted) << int(kind);
            QTest::mouseMove(&button, QPoint(4, 4));
            ASSERT_TRUE(eventually([&] { return button.underMouse(); }));
            EXPECT_LE(distance(body(button), hovered->color(scheme)), painted) << int(kind);
        }
    }
}

// Each size has its height; a full-width button fills its row while another
// keeps to its label, and both give way when the row is too narrow.
TEST(VevoButton, TakesTheRoomItsSizeAndWidthAskFor)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    for (VevoControlSize size : {VevoControlSize::sm, VevoControlSize::md, VevoControlSize::lg}) {
        QWidget row;
        auto *layout = new QHBoxLayout(&row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto *full = new VevoButton(appearance, QStringLiteral("Continue"), VevoButtonKind::primary, size);
        full->setFullWidth(true);
        auto *compact = new VevoButton(appearance, QStringLiteral("Cancel"), VevoButtonKind::ghost, size);
        layout->addWidget(full);
        layout->addWidget(compact);
        row.resize(500, 60);
        row.show();
        EXPECT_EQ(full->height(), metrics(size).height);
        EXPECT_EQ(compact->size(), compact->sizeHint());
        EXPECT_EQ(full->width(), 500 - compact->width());

        compact->setText(QString(200, QLatin1Char('W')));
        row.resize(300, 60);
        EXPECT_TRUE(eventually([&] { return full->width() + compact->width() <= 300; }));
    }
}

// Pressing shrinks the button and releasing springs it back; with reduced
// motion the pressed colour shows at once and nothing moves.
TEST(VevoButton, AnimatesPressesUnlessMotionIsReduced)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    VevoButton button(appearance, QStringLiteral("Install"), VevoButtonKind::primary);
    button.show();
    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_TRUE(eventually([&] { return button.pressScale() < 0.971; }));
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_TRUE(eventually([&] { return button.pressScale() == 1.0; }));

    platform.reducedMotion = true;
    platform.preferencesChanged();
    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_LE(distance(body(button), Vevo::livePress.color(VevoScheme::light)), painted);
    EXPECT_EQ(button.pressScale(), 1.0);
    QTest::mouseRelease(&button, Qt::LeftButton);
}

// Icons widen the button; when the room runs short only the title gives way,
// so both icons stay whole inside the padding.
TEST(VevoButton, IconsTakeRoomAndStayWholeWhenTheTitleElides)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    const QString title = QStringLiteral("Download Community Maps");
    VevoButton plain(appearance, title);
    VevoButton button(appearance, title);
    button.setSymbol(QStringLiteral("arrow.down.circle"));
    button.setTrailingSymbol(QStringLiteral("chevron.right"));
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

} // namespace
