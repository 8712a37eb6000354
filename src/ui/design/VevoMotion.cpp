#include "ui/design/VevoMotion.h"

#include <QPointF>

#include <cmath>
#include <numbers>

namespace {

constexpr double springResponse = 0.22;
constexpr double springDamping = 0.62;

// The position of an underdamped spring released at 0 towards 1, at the
// given fraction of the release motion's duration; exactly at rest at the end.
qreal springAt(qreal progress)
{
    if (progress >= 1)
        return 1;
    const double seconds = progress * Vevo::Motion::release.durationMs / 1000.0;
    const double natural = 2 * std::numbers::pi / springResponse;
    const double decay = springDamping * natural;
    const double damped = natural * std::sqrt(1 - springDamping * springDamping);
    return 1 - std::exp(-decay * seconds) * (std::cos(damped * seconds) + decay / damped * std::sin(damped * seconds));
}

} // namespace

QEasingCurve VevoMotion::easing() const
{
    QEasingCurve easing;
    if (curve == Curve::spring) {
        easing.setCustomType(springAt);
    } else {
        easing.setType(QEasingCurve::BezierSpline);
        easing.addCubicBezierSegment(QPointF(0.2, 0), QPointF(0, 1), QPointF(1, 1));
    }
    return easing;
}
