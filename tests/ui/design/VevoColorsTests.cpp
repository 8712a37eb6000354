#include "DesignTest.h"
#include "ui/design/VevoTone.h"

#include <vector>

namespace {

// Colour arithmetic written independently of the application's.
double linear(double v)
{
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// What a translucent colour looks like drawn over an opaque one.
QColor composite(const QColor &front, const QColor &back)
{
    const float a = front.alphaF();
    return QColor::fromRgbF(front.redF() * a + back.redF() * (1 - a), front.greenF() * a + back.greenF() * (1 - a),
                            front.blueF() * a + back.blueF() * (1 - a));
}

// The WCAG contrast ratio.
double contrast(const QColor &foreground, const QColor &background)
{
    const auto luminance = [](const QColor &c) {
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double front = luminance(composite(foreground, background)), back = luminance(background);
    return (std::max(front, back) + 0.05) / (std::min(front, back) + 0.05);
}

TEST(OKLCH, ConvertsReferenceColours)
{
    const std::pair<OKLCH, QColor> references[] = {
        // As published with the OKLab definition.
        {{0.6279554, 0.2576833, 29.2338851}, Qt::red},
        {{0.8664396, 0.2948272, 142.4953389}, Qt::green},
        {{0.4520137, 0.3132144, 264.0520206}, Qt::blue},
        {{1, 0, 0}, Qt::white},
        // Greys either side of the transfer function's switch at linear 0.0031308.
        {{std::cbrt(0.002), 0, 0}, QColor::fromRgbF(0.02584f, 0.02584f, 0.02584f)},
        {{std::cbrt(0.2), 0, 0}, QColor::fromRgbF(0.48453f, 0.48453f, 0.48453f)},
        // Outside the gamut each channel clamps instead of wrapping or turning NaN.
        {{1.4, 0, 0}, Qt::white},
        {{-0.3, 0, 0}, Qt::black},
        {{0.95, 0.4, 145}, Qt::green},
    };
    for (const auto &[oklch, srgb] : references)
        EXPECT_LE(distance(oklch.toColor(), srgb), 2e-4) << oklch.l << " " << oklch.c << " " << oklch.h;
    EXPECT_NEAR((OKLCH{0, 0, 0, 0.62}).toColor().alphaF(), 0.62, 1e-4);
}

// Text, tone inks and button labels reach 4.5:1 on what they are drawn on in
// either scheme; translucent grounds (a tone's wash) lie over the canvas.
TEST(VevoColors, TextIsReadableWhereverItIsDrawn)
{
    std::vector<std::pair<VevoRole, VevoRole>> pairings{{Vevo::onDanger, Vevo::danger}};
    for (const VevoRole &fill : {Vevo::live, Vevo::liveHover, Vevo::livePress})
        pairings.push_back({Vevo::onLive, fill});
    for (const VevoRole &text : {Vevo::textStrong, Vevo::text, Vevo::textMuted})
        for (const VevoRole &surface : {Vevo::sunken, Vevo::canvas, Vevo::cell, Vevo::raised})
            pairings.push_back({text, surface});
    for (int tone = 0; tone <= static_cast<int>(VevoTone::neutral); ++tone)
        pairings.push_back({Vevo::ink(VevoTone(tone)), Vevo::wash(VevoTone(tone))});

    for (VevoScheme scheme : {VevoScheme::dark, VevoScheme::light}) {
        const QColor canvas = Vevo::canvas.color(scheme);
        for (const auto &[ink, ground] : pairings)
            EXPECT_GE(contrast(ink.color(scheme), composite(ground.color(scheme), canvas)), 4.5)
                << qPrintable(ink.color(scheme).name() + u" on " + ground.color(scheme).name(QColor::HexArgb));
    }
}

} // namespace
