#pragma once

#include <QEasingCurve>

// How long an animation runs and the curve it follows.
struct VevoMotion
{
    enum class Curve { easeOut, spring };

    int durationMs;
    Curve curve;

    QEasingCurve easing() const;
};

namespace Vevo::Motion {

// A fast start that settles gently: cubic Bézier (0.2, 0, 0, 1).
inline constexpr VevoMotion quick{120, VevoMotion::Curve::easeOut};
inline constexpr VevoMotion standard{200, VevoMotion::Curve::easeOut};
inline constexpr VevoMotion calm{400, VevoMotion::Curve::easeOut};
inline constexpr VevoMotion press{70, VevoMotion::Curve::easeOut};
// A spring with a response of 0.22 s and a damping fraction of 0.62, run
// until it has settled to within a thousandth of its target.
inline constexpr VevoMotion release{390, VevoMotion::Curve::spring};

} // namespace Vevo::Motion
