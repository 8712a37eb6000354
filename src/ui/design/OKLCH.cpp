#include "ui/design/OKLCH.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double encodeSrgb(double linear)
{
    const double v = std::clamp(linear, 0.0, 1.0);
    return v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055;
}

} // namespace

QColor OKLCH::toColor() const
{
    const double hue = h * std::numbers::pi / 180.0;
    const double a = c * std::cos(hue);
    const double b = c * std::sin(hue);

    // OKLab to the cube roots of LMS, then LMS to linear sRGB.
    const double lRoot = l + 0.3963377774 * a + 0.2158037573 * b;
    const double mRoot = l - 0.1055613458 * a - 0.0638541728 * b;
    const double sRoot = l - 0.0894841775 * a - 1.2914855480 * b;
    const double lms[3] = {lRoot * lRoot * lRoot, mRoot * mRoot * mRoot, sRoot * sRoot * sRoot};

    const double red = 4.0767416621 * lms[0] - 3.3077115913 * lms[1] + 0.2309699292 * lms[2];
    const double green = -1.2684380046 * lms[0] + 2.6097574011 * lms[1] - 0.3413193965 * lms[2];
    const double blue = -0.0041960863 * lms[0] - 0.7034186147 * lms[1] + 1.7076147010 * lms[2];

    return QColor::fromRgbF(static_cast<float>(encodeSrgb(red)), static_cast<float>(encodeSrgb(green)),
                            static_cast<float>(encodeSrgb(blue)), static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
}
