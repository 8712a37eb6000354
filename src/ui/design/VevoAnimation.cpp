#include "ui/design/VevoAnimation.h"

#include "ui/design/VevoAppearance.h"

#include <QSignalBlocker>

VevoAnimation::VevoAnimation(QObject &owner, const VevoAppearance &appearance, VevoMotion motion,
                             std::function<void(double)> apply, double initial)
    : QObject(&owner)
    , m_appearance(appearance)
    , m_motion(motion)
    , m_apply(std::move(apply))
    , m_value(initial)
    , m_target(initial)
{
    connect(&m_animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) { set(value.toDouble()); });
    // Interpolating start + (end - start) * 1 can land a rounding error away
    // from the end value.
    connect(&m_animation, &QVariantAnimation::finished, this, [this] { set(m_target); });
}

void VevoAnimation::animateTo(double target)
{
    animateTo(target, m_motion);
}

void VevoAnimation::animateTo(double target, const VevoMotion &motion)
{
    if (target == m_target && (isRunning() || target == m_value))
        return;
    m_target = target;
    m_animation.stop();
    if (m_appearance.reducedMotion()) {
        set(target);
        return;
    }
    {
        // A stopped animation still recomputes its value from the new ends at
        // the time it stopped, which would flash a point off the path.
        const QSignalBlocker quiet(m_animation);
        m_animation.setStartValue(m_value);
        m_animation.setEndValue(target);
    }
    m_animation.setDuration(motion.durationMs);
    m_animation.setEasingCurve(motion.easing());
    m_animation.start();
}

void VevoAnimation::set(double value)
{
    if (value == m_value)
        return;
    m_value = value;
    m_apply(value);
}
