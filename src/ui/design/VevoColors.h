#pragma once

#include "ui/design/VevoRole.h"

// Every colour of the interface. Surfaces run from darkest to lightest in the
// dark appearance; the accent ("live") family is an amber that reads on both
// the near-black and the near-white canvas. Filled controls carry dark labels
// in the dark appearance, where their fills are light enough to read as ink.
namespace Vevo {

namespace detail {

constexpr VevoRole grey(double dark, double light)
{
    return {{dark, 0, 0, 1}, {light, 0, 0, 1}};
}
constexpr VevoRole black(double dark, double light)
{
    return {{0, 0, 0, dark}, {0, 0, 0, light}};
}
constexpr VevoRole white(double dark, double light)
{
    return {{1, 0, 0, dark}, {1, 0, 0, light}};
}

} // namespace detail

inline constexpr VevoRole deep = detail::grey(0.09, 0.92);
inline constexpr VevoRole sunken = detail::grey(0.145, 0.955);
inline constexpr VevoRole canvas = detail::grey(0.17, 0.975);
inline constexpr VevoRole cell = detail::grey(0.2, 0.99);
inline constexpr VevoRole raised = detail::grey(0.225, 1.0);
inline constexpr VevoRole fill = detail::grey(0.25, 0.94);
inline constexpr VevoRole fillHover = detail::grey(0.285, 0.91);

inline constexpr VevoRole hairline = detail::grey(0.265, 0.915);
inline constexpr VevoRole line = detail::grey(0.32, 0.86);
inline constexpr VevoRole lineStrong = detail::grey(0.52, 0.6);

inline constexpr VevoRole textStrong = detail::grey(0.965, 0.17);
inline constexpr VevoRole text = detail::grey(0.88, 0.27);
inline constexpr VevoRole textMuted = detail::grey(0.72, 0.46);
inline constexpr VevoRole textFaint = detail::grey(0.56, 0.6);

inline constexpr VevoRole live{{0.79, 0.155, 68}, {0.74, 0.165, 62}};
inline constexpr VevoRole liveHover{{0.83, 0.135, 72}, {0.7, 0.165, 58}};
inline constexpr VevoRole livePress{{0.74, 0.15, 64}, {0.66, 0.16, 55}};
inline constexpr VevoRole onLive{{0.22, 0.04, 60}, {0.22, 0.04, 60}};
inline constexpr VevoRole liveInk{{0.83, 0.135, 72}, {0.5, 0.125, 52}};
inline constexpr VevoRole liveWash{{0.79, 0.155, 68, 0.14}, {0.74, 0.165, 62, 0.16}};
inline constexpr VevoRole liveLine{{0.79, 0.155, 68, 0.45}, {0.62, 0.15, 56, 0.45}};
inline constexpr VevoRole liveMark{{0.86, 0.14, 82}, {0.66, 0.15, 58}};
inline constexpr VevoRole liveEdge{{0.62, 0.13, 58}, {0.58, 0.14, 52}};
inline constexpr VevoRole liveHighlight = detail::white(0.26, 0.32);
inline constexpr VevoRole liveShade{{0.55, 0.12, 52}, {0.6, 0.14, 50}};
inline constexpr VevoRole liveGleam{{0.82, 0.135, 72, 0.35}, {0.76, 0.16, 64, 0.3}};

inline constexpr VevoRole okInk{{0.8, 0.15, 150}, {0.49, 0.13, 150}};
inline constexpr VevoRole okWash{{0.72, 0.15, 150, 0.14}, {0.65, 0.15, 150, 0.14}};
inline constexpr VevoRole warn{{0.85, 0.15, 92}, {0.5, 0.105, 70}};
inline constexpr VevoRole warnWash{{0.85, 0.15, 92, 0.14}, {0.78, 0.15, 85, 0.2}};
inline constexpr VevoRole danger{{0.68, 0.19, 25}, {0.52, 0.19, 27}};
inline constexpr VevoRole dangerWash{{0.66, 0.19, 25, 0.16}, {0.6, 0.2, 27, 0.1}};
inline constexpr VevoRole onDanger{{0.2, 0.04, 25}, {0.99, 0, 0}};
inline constexpr VevoRole info{{0.8, 0.11, 240}, {0.5, 0.13, 252}};
inline constexpr VevoRole infoWash{{0.7, 0.12, 240, 0.16}, {0.6, 0.13, 252, 0.12}};

inline constexpr VevoRole bevelHighlight = detail::white(0.09, 0.75);
inline constexpr VevoRole bevelEdge{{1, 0, 0, 0.12}, {0, 0, 0, 0.12}};
inline constexpr VevoRole bevelUnder = detail::black(0.4, 0.1);
inline constexpr VevoRole bevelShade = detail::black(0.35, 0.08);
inline constexpr VevoRole bevelGleam = detail::white(0.05, 0.5);
inline constexpr VevoRole scrim = detail::black(0.62, 0.4);
inline constexpr VevoRole floatNear = detail::black(0.3, 0.06);
inline constexpr VevoRole floatFar = detail::black(0.7, 0.22);

inline constexpr VevoRole markGround{{0.3, 0.03, 120}, {0.86, 0.04, 110}};
inline constexpr VevoRole markBlue{{0.62, 0.13, 245}, {0.55, 0.14, 250}};
inline constexpr VevoRole markGreen{{0.68, 0.15, 145}, {0.58, 0.15, 145}};

} // namespace Vevo
