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
    return strongest(image).value(0, Qt::transparent).alpha();
}

// Each symbol the screens use with the vendored file it draws, then names
// without an icon.
const QStringList iconFiles =
    QStringLiteral("house.fill:house,wrench.and.screwdriver.fill:wrench,wrench.and.screwdriver:wrench,map.fill:map,"
                   "arrow.triangle.2.circlepath:refresh-cw,slider.horizontal.3:sliders-horizontal,play.fill:play,"
                   "stop.fill:square,arrow.down.circle:circle-arrow-down,doc.text.magnifyingglass:file-search,"
                   "checkmark.circle.fill:circle-check,exclamationmark.circle:circle-alert,person:user,"
                   "lock.shield:lock-keyhole,checkmark.shield:shield-check,magnifyingglass:search,ellipsis:ellipsis,"
                   "arrow.uturn.backward:undo-2,chevron.right:chevron-right,bolt.horizontal.circle:zap,"
                   "checkmark:check,shippingbox:package,wineglass:wine,arrow.down.to.line:hard-drive-download,"
                   "globe:globe,folder:folder-open,:,house:,Checkmark:,checkmark :,questionmark:")
        .split(QLatin1Char(','));

class IconFile : public testing::TestWithParam<QString>
{};

// Drawn in black, an icon is exactly its vendored file as Qt SVG draws it;
// an unknown symbol draws nothing.
TEST_P(IconFile, SymbolDrawsItsVendoredIconOrNothing)
{
    const QString symbol = GetParam().section(QLatin1Char(':'), 0, 0);
    const QString file = GetParam().section(QLatin1Char(':'), 1);
    const QImage image = drawn(icon(symbol, Qt::black));
    EXPECT_EQ(Vevo::hasIcon(symbol), !file.isEmpty());
    if (file.isEmpty()) {
        EXPECT_EQ(highestAlpha(image), 0);
        return;
    }
    QSvgRenderer original(QStringLiteral(":/icons/%1.svg").arg(file));
    ASSERT_TRUE(original.isValid());
    const QImage expected = drawn([&](QPainter &painter, const QRectF &rect) { original.render(&painter, rect); });
    EXPECT_GT(highestAlpha(expected), 0);
    EXPECT_TRUE(image == expected);
}

INSTANTIATE_TEST_SUITE_P(Symbols, IconFile, testing::ValuesIn(iconFiles));

// An icon takes the colour it is given, alpha included. Where its strokes
// overlap a translucent icon must not show darker: it blends as one shape,
// whether the colour or the painter is translucent, and stays as sharp on a
// high-density screen as a vector drawn at that size.
TEST(VevoIcons, DrawInTheGivenColourBlendingOnceAndStayingSharp)
{
    const QString house = QStringLiteral("house.fill");
    const QColor orange = Vevo::live.color(VevoScheme::light);
    QColor halfOrange = orange;
    halfOrange.setAlphaF(0.5);
    for (const QColor &colour :
         {Vevo::danger.color(VevoScheme::dark), Vevo::okInk.color(VevoScheme::light), orange, halfOrange}) {
        const QList<QColor> pixels = strongest(drawn(icon(house, colour)));
        EXPECT_NEAR(pixels.value(0).alpha(), colour.alpha(), 1);
        EXPECT_GT(pixels.size(), 100);
        for (const QColor &pixel : pixels)
            ASSERT_LE(distance(pixel, colour), painted) << pixel.name().toStdString();
        QImage dense = drawn(icon(house, colour), 24, 2);
        dense.setDevicePixelRatio(1);
        EXPECT_TRUE(dense == drawn(icon(house, colour), 48)) << colour.alpha();
    }
    EXPECT_NEAR(highestAlpha(drawn(icon(house, orange), 48, 1, 0.45)), 115, 1);
    EXPECT_NEAR(highestAlpha(drawn(Vevo::paintBrandMark, 48, 1, 0.5)), 128, 1);
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
    row->addWidget(symbol);
    auto *tile = new VevoIconTile(appearance, QStringLiteral("stop.fill"), VevoTone::neutral, 40);
    row->addWidget(tile);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // What the window shows on screen, not a fresh rendering of it.
    const auto shows = [&](QWidget *widget, const VevoRole &role) {
        return eventually([&] {
            return anyPixel(window.screen()->grabWindow(window.winId()).toImage(),
                            QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size()), [&](const QColor &shown) {
                                return distance(shown, role.color(VevoScheme::dark)) <= painted;
                            });
        });
    };
    platform.darkAppearance = true;
    appearance.refresh();
    EXPECT_TRUE(shows(symbol, Vevo::liveInk));
    EXPECT_TRUE(shows(tile, Vevo::fill));
    EXPECT_TRUE(shows(tile, Vevo::textMuted));
    tile->setTone(VevoTone::danger);
    EXPECT_TRUE(shows(tile, Vevo::danger));
}

} // namespace
