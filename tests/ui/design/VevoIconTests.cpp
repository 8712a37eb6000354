#include "ColourReference.h"
#include "support/FakePlatform.h"
#include "support/Wait.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoIconTile.h"
#include "ui/design/VevoIcons.h"
#include "ui/design/VevoSymbol.h"

#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

#include <functional>

using namespace ColourReference;

namespace {

using Painting = std::function<void(QPainter &, const QRectF &)>;

QImage drawn(const Painting &paint, int size = 48, qreal ratio = 1, double opacity = 1)
{
    QImage image(QSize(size, size) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setOpacity(opacity);
    paint(painter, QRectF(0, 0, size, size));
    return image;
}

Painting icon(const QString &symbol, const QColor &color)
{
    return [=](QPainter &painter, const QRectF &rect) { Vevo::paintIcon(painter, rect, symbol, color); };
}

// Every pixel drawn at the highest opacity in the image.
QList<QColor> strongest(const QImage &image)
{
    QList<QColor> pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int highest = pixels.isEmpty() ? 1 : pixels.first().alpha();
            if (pixel.alpha() > highest)
                pixels.clear();
            if (pixel.alpha() >= highest)
                pixels.append(pixel);
        }
    }
    return pixels;
}

int highestAlpha(const QImage &image)
{
    const QList<QColor> pixels = strongest(image);
    return pixels.isEmpty() ? 0 : pixels.first().alpha();
}

class IconFile : public testing::TestWithParam<std::pair<const char *, const char *>>
{};

// Drawn in black, an icon is exactly its vendored file as Qt SVG draws it.
TEST_P(IconFile, SymbolDrawsItsVendoredIcon)
{
    const auto [symbol, file] = GetParam();
    EXPECT_TRUE(Vevo::hasIcon(QLatin1String(symbol)));
    QSvgRenderer original(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(file)));
    ASSERT_TRUE(original.isValid());
    const QImage expected = drawn([&](QPainter &painter, const QRectF &rect) { original.render(&painter, rect); });
    EXPECT_GT(highestAlpha(expected), 0);
    EXPECT_TRUE(drawn(icon(QLatin1String(symbol), Qt::black)) == expected);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, IconFile,
    testing::Values(std::pair{"house.fill", "house"}, std::pair{"wrench.and.screwdriver.fill", "wrench"},
                    std::pair{"wrench.and.screwdriver", "wrench"}, std::pair{"map.fill", "map"},
                    std::pair{"arrow.triangle.2.circlepath", "refresh-cw"},
                    std::pair{"slider.horizontal.3", "sliders-horizontal"}, std::pair{"play.fill", "play"},
                    std::pair{"stop.fill", "square"}, std::pair{"arrow.down.circle", "circle-arrow-down"},
                    std::pair{"doc.text.magnifyingglass", "file-search"},
                    std::pair{"checkmark.circle.fill", "circle-check"},
                    std::pair{"exclamationmark.circle", "circle-alert"}, std::pair{"person", "user"},
                    std::pair{"lock.shield", "lock-keyhole"}, std::pair{"checkmark.shield", "shield-check"},
                    std::pair{"magnifyingglass", "search"}, std::pair{"ellipsis", "ellipsis"},
                    std::pair{"arrow.uturn.backward", "undo-2"}, std::pair{"chevron.right", "chevron-right"},
                    std::pair{"bolt.horizontal.circle", "zap"}, std::pair{"checkmark", "check"},
                    std::pair{"shippingbox", "package"}, std::pair{"wineglass", "wine"},
                    std::pair{"arrow.down.to.line", "hard-drive-download"}, std::pair{"globe", "globe"},
                    std::pair{"folder", "folder-open"}));

TEST(VevoIcons, UnknownSymbolsDrawNothing)
{
    for (const QString &symbol : {QString(), QStringLiteral("house"), QStringLiteral("Checkmark"),
                                  QStringLiteral("checkmark "), QStringLiteral("questionmark")}) {
        EXPECT_FALSE(Vevo::hasIcon(symbol)) << symbol.toStdString();
        EXPECT_EQ(highestAlpha(drawn(icon(symbol, Qt::black))), 0) << symbol.toStdString();
    }
}

TEST(VevoIcons, DrawInTheRequestedColourInEitherScheme)
{
    for (VevoScheme scheme : {VevoScheme::dark, VevoScheme::light}) {
        for (const VevoRole *role : {&Vevo::textMuted, &Vevo::liveInk, &Vevo::danger, &Vevo::okInk}) {
            const QColor colour = role->color(scheme);
            const QList<QColor> pixels = strongest(drawn(icon(QStringLiteral("checkmark.circle.fill"), colour)));
            EXPECT_EQ(pixels.value(0).alpha(), 255);
            EXPECT_GT(pixels.size(), 100);
            for (const QColor &pixel : pixels)
                ASSERT_LE(distance(pixel, colour), painted) << pixel.name().toStdString();
        }
    }
}

// Where an icon's strokes overlap, a translucent icon must not show darker:
// it blends as one shape, whether the colour or the painter is translucent,
// and stays as sharp on a high-density screen as a vector drawn at that size.
TEST(VevoIcons, TranslucentIconsBlendOnceAndStaySharp)
{
    const QColor orange = Vevo::live.color(VevoScheme::light);
    QColor halfOrange = orange;
    halfOrange.setAlphaF(0.5);
    const QString house = QStringLiteral("house.fill");
    EXPECT_NEAR(highestAlpha(drawn(icon(house, halfOrange))), 128, 1);
    EXPECT_NEAR(highestAlpha(drawn(icon(house, orange), 48, 1, 0.45)), 115, 1);
    EXPECT_NEAR(highestAlpha(drawn(Vevo::paintBrandMark, 48, 1, 0.5)), 128, 1);
    for (const QColor &pixel : strongest(drawn(icon(house, halfOrange))))
        ASSERT_LE(distance(pixel, orange), painted);

    for (const QColor &colour : {orange, halfOrange}) {
        QImage dense = drawn(icon(house, colour), 24, 2);
        dense.setDevicePixelRatio(1);
        EXPECT_TRUE(dense == drawn(icon(house, colour), 48)) << colour.alpha();
    }
}

// Both widgets repaint on screen in the new scheme's colours when the
// appearance changes, and the tile in its new tone's.
TEST(VevoIcons, WidgetsFollowTheSchemeAndTone)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    QWidget window;
    auto *row = new QHBoxLayout(&window);
    auto *symbol = new VevoSymbol(appearance, QStringLiteral("checkmark"), Vevo::liveInk, 24);
    auto *tile = new VevoIconTile(appearance, QStringLiteral("stop.fill"), VevoTone::neutral, 40);
    row->addWidget(symbol);
    row->addWidget(tile);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // What the window shows on screen, not a fresh rendering of it.
    const auto shows = [&](QWidget *widget, const QColor &colour) {
        return eventually([&] {
            const QPoint origin = widget->mapTo(&window, QPoint(0, 0));
            const QImage image = window.screen()->grabWindow(window.winId()).toImage();
            for (int y = origin.y(); y < origin.y() + widget->height(); ++y) {
                for (int x = origin.x(); x < origin.x() + widget->width(); ++x) {
                    if (distance(image.pixelColor(x, y), colour) <= painted)
                        return true;
                }
            }
            return false;
        });
    };
    for (VevoScheme scheme : {VevoScheme::light, VevoScheme::dark}) {
        platform.darkAppearance = scheme == VevoScheme::dark;
        appearance.refresh();
        tile->setTone(VevoTone::neutral);
        EXPECT_TRUE(shows(symbol, Vevo::liveInk.color(scheme)));
        EXPECT_TRUE(shows(tile, Vevo::fill.color(scheme)));
        EXPECT_TRUE(shows(tile, Vevo::textMuted.color(scheme)));
        tile->setTone(VevoTone::danger);
        EXPECT_TRUE(shows(tile, Vevo::danger.color(scheme)));
    }
}

} // namespace
