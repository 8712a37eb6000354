#pragma once

#include <QColor>

// A colour in OKLCH: perceptual lightness (0..1), chroma, hue in degrees and
// opacity (0..1). Equal steps of lightness look equal, which keeps the dark
// and light values of a role in proportion.
struct OKLCH
{
    double l = 0;
    double c = 0;
    double h = 0;
    double alpha = 1;

    bool operator==(const OKLCH &) const = default;

    // The sRGB colour to draw with. Colours outside the sRGB gamut are
    // clamped channel by channel rather than rejected.
    QColor toColor() const;
};
