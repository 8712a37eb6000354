#include "ColourReference.h"

#include <gtest/gtest.h>

using namespace ColourReference;

namespace {

TEST(OKLCH, ConvertsReferenceColours)
{
    const auto encode = [](double linear) { return 1.055 * std::pow(linear, 1 / 2.4) - 0.055; };
    const std::pair<OKLCH, QColor> references[] = {
        // As published with the OKLab definition.
        {{0.6279554, 0.2576833, 29.2338851}, Qt::red},
        {{0.8664396, 0.2948272, 142.4953389}, Qt::green},
        {{1, 0, 0}, Qt::white},
        // Greys either side of the transfer function's switch at linear 0.0031308.
        {{std::cbrt(0.002), 0, 0}, QColor::fromRgbF(0.02584f, 0.02584f, 0.02584f)},
        {{std::cbrt(0.2), 0, 0}, QColor::fromRgbF(encode(0.2), encode(0.2), encode(0.2))},
        // Outside the gamut each channel clamps instead of wrapping or turning NaN.
        {{1.4, 0, 0}, Qt::white},
        {{-0.3, 0, 0}, Qt::black},
        {{0.95, 0.4, 145}, Qt::green},
    };
    for (const auto &[oklch, srgb] : references)
        EXPECT_LE(distance(oklch.toColor(), srgb), 2e-4) << oklch.l << " " << oklch.c << " " << oklch.h;
    EXPECT_NEAR((OKLCH{0, 0, 0, 0.62}).toColor().alphaF(), 0.62, 1e-4);
    EXPECT_EQ((OKLCH{0, 0, 0, 1.5}).toColor().alphaF(), 1.0);
    EXPECT_EQ((OKLCH{0, 0, 0, -1}).toColor().alphaF(), 0.0);
}

class OKLCHRoundTrip : public testing::TestWithParam<QColor>
{};

TEST_P(OKLCHRoundTrip, ReturnsTheSrgbColourItCameFrom)
{
    EXPECT_LE(distance(fromSrgb(GetParam()).toColor(), GetParam()), 2e-4) << qPrintable(GetParam().name());
}

INSTANTIATE_TEST_SUITE_P(Colours, OKLCHRoundTrip,
                         testing::Values(Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta,
                                         QColor::fromRgbF(0.02f, 0.02f, 0.02f), QColor::fromRgbF(0.035f, 0.01f, 0),
                                         QColor::fromRgbF(0.8f, 0.4f, 0.1f), QColor::fromRgbF(0.2f, 0.6f, 0.75f),
                                         QColor::fromRgbF(0.33f, 0.12f, 0.58f)));

} // namespace
