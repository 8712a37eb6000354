#include "ColourReference.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoTone.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace ColourReference;

namespace {

class VevoColors : public testing::TestWithParam<VevoScheme>
{};

INSTANTIATE_TEST_SUITE_P(Schemes, VevoColors, testing::Values(VevoScheme::dark, VevoScheme::light),
                         [](const auto &info) { return info.param == VevoScheme::dark ? "Dark" : "Light"; });

// Text, tone inks and button labels reach 4.5:1 on what they are drawn on;
// translucent grounds (a tone's wash) lie over the canvas.
TEST_P(VevoColors, TextIsReadableWhereverItIsDrawn)
{
    std::vector<std::tuple<std::string, VevoRole, VevoRole>> pairings{
        {"onLive on live", Vevo::onLive, Vevo::live},
        {"onLive on liveHover", Vevo::onLive, Vevo::liveHover},
        {"onLive on livePress", Vevo::onLive, Vevo::livePress},
        {"onDanger on danger", Vevo::onDanger, Vevo::danger}};
    for (const VevoRole &text : {Vevo::textStrong, Vevo::text, Vevo::textMuted})
        for (const VevoRole &surface : {Vevo::sunken, Vevo::canvas, Vevo::cell, Vevo::raised})
            pairings.push_back(
                {"text " + std::to_string(text.dark.l) + " on " + std::to_string(surface.dark.l), text, surface});
    for (int tone = 0; tone <= static_cast<int>(VevoTone::neutral); ++tone)
        pairings.push_back({"tone " + std::to_string(tone), Vevo::ink(VevoTone(tone)), Vevo::wash(VevoTone(tone))});

    const QColor canvas = Vevo::canvas.color(GetParam());
    for (const auto &[name, ink, ground] : pairings)
        EXPECT_GE(contrast(ink.color(GetParam()), composite(ground.color(GetParam()), canvas)), 4.5) << name;
}

} // namespace
