#include "DesignTest.h"
#include "ui/design/VevoIcons.h"

#include <QPainter>
#include <QSvgRenderer>

#include <functional>

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

// The pixels drawn at the highest opacity in the image; one transparent
// pixel when nothing is drawn.
QList<QColor> strongest(const QImage &image)
{
    QList<QColor> pixels{Qt::transparent};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() > pixels.first().alpha())
                pixels = {pixel};
            else if (pixel.alpha() > 0 && pixel.alpha() == pixels.first().alpha())
                pixels.append(pixel);
        }
    }
    return pixels;
}

// Each symbol draws an icon of its own (only the two wrenches share one),
// exactly as Qt SVG draws the vendored file; a name it does not know, even
// nearly, draws nothing.
TEST(VevoIcons, EachSymbolDrawsItsOwnIconAndUnknownNamesNothing)
{
    QList<QImage> images;
    for (const QString &symbol : symbols) {
        images.append(drawn(icon(symbol, Qt::black)));
        EXPECT_TRUE(Vevo::hasIcon(symbol) && strongest(images.last()).first().alpha() > 0) << qPrintable(symbol);
        for (qsizetype other = 0; other + 1 < images.size(); ++other) {
            const bool wrenches =
                symbol.startsWith(QLatin1String("wrench")) && symbols[other].startsWith(QLatin1String("wrench"));
            EXPECT_EQ(images[other] == images.last(), wrenches) << qPrintable(symbol + u' ' + symbols[other]);
        }
    }
    QSvgRenderer house(QStringLiteral(":/icons/house.svg"));
    EXPECT_TRUE(images.first() == drawn([&](QPainter &painter, const QRectF &rect) { house.render(&painter, rect); }));
    for (const char *unknown : {"", "house", "Checkmark", "checkmark ", "questionmark"}) {
        const QString name = QLatin1String(unknown);
        EXPECT_FALSE(Vevo::hasIcon(name) || strongest(drawn(icon(name, Qt::black))).first().alpha() > 0) << unknown;
    }
}

// An icon takes the colour it is given, alpha included. Where its strokes
// overlap a translucent icon must not show darker: it blends as one shape,
// whether the colour or the painter is translucent, and stays as sharp on a
// high-density screen as a vector drawn at that size.
TEST(VevoIcons, DrawInTheGivenColourBlendingOnceAndStayingSharp)
{
    const QString house = QStringLiteral("house.fill");
    const QColor orange = Vevo::live.color(VevoScheme::light), halfOrange = OKLCH{0.74, 0.165, 62, 0.5}.toColor();
    for (const QColor &colour : {Vevo::danger.color(VevoScheme::dark), orange, halfOrange}) {
        const QList<QColor> pixels = strongest(drawn(icon(house, colour)));
        EXPECT_NEAR(pixels.value(0).alpha(), colour.alpha(), 1);
        EXPECT_GT(pixels.size(), 100);
        for (const QColor &pixel : pixels)
            ASSERT_LE(distance(pixel, colour), painted) << pixel.name().toStdString();
        QImage dense = drawn(icon(house, colour), 24, 2);
        dense.setDevicePixelRatio(1);
        EXPECT_TRUE(dense == drawn(icon(house, colour), 48)) << colour.alpha();
    }
    EXPECT_NEAR(strongest(drawn(icon(house, orange), 48, 1, 0.45)).first().alpha(), 115, 1);
    EXPECT_NEAR(strongest(drawn(Vevo::paintBrandMark, 48, 1, 0.5)).first().alpha(), 128, 1);
}

} // namespace
