#pragma once

#include "ui/design/OKLCH.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <numbers>

// Colour arithmetic written independently of the application's: sRGB to
// OKLCH along the published OKLab definition (the direction the application
// never needs) and the WCAG contrast ratio.
namespace ColourReference {

inline double decode(double v)
{
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

inline OKLCH fromSrgb(const QColor &colour)
{
    const double r = decode(colour.redF()), g = decode(colour.greenF()), b = decode(colour.blueF());
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    const double labA = 1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s;
    const double labB = 0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s;
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s, std::hypot(labA, labB),
            std::atan2(labB, labA) * 180 / std::numbers::pi};
}

// What a translucent colour looks like drawn over an opaque one.
inline QColor composite(const QColor &front, const QColor &back)
{
    const float a = front.alphaF();
    return QColor::fromRgbF(front.redF() * a + back.redF() * (1 - a), front.greenF() * a + back.greenF() * (1 - a),
                            front.blueF() * a + back.blueF() * (1 - a));
}

inline double contrast(const QColor &foreground, const QColor &background)
{
    const auto luminance = [](const QColor &c) {
        return 0.2126 * decode(c.redF()) + 0.7152 * decode(c.greenF()) + 0.0722 * decode(c.blueF());
    };
    const double front = luminance(composite(foreground, background)), back = luminance(background);
    return (std::max(front, back) + 0.05) / (std::min(front, back) + 0.05);
}

// The largest difference of any colour channel, from 0 to 1.
inline double distance(const QColor &a, const QColor &b)
{
    return std::max(
        {std::abs(a.redF() - b.redF()), std::abs(a.greenF() - b.greenF()), std::abs(a.blueF() - b.blueF())});
}

// Within the rounding and antialiasing of a painted pixel.
constexpr double painted = 0.01;

inline QColor pixel(QWidget &widget, int x, int y)
{
    return widget.grab().toImage().pixelColor(x, y);
}

// Whether any pixel of the image in the area passes the test.
template <typename Test>
bool anyPixel(const QImage &image, const QRect &area, Test test)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(image.pixelColor(x, y)))
                return true;
        }
    }
    return false;
}

} // namespace ColourReference
