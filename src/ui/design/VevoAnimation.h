#pragma once

#include "ui/design/VevoMotion.h"

#include <QObject>
#include <QVariantAnimation>

#include <functional>

class VevoAppearance;

// Drives one number of a widget (a width, an opacity) towards a target with
// a motion, handing every step to `apply`. With reduced motion the target
// applies at once.
class VevoAnimation final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoAnimation)

public:
    // Belongs to the owner, whose lifetime `apply` may rely on. Does not
    // apply the initial value.
    VevoAnimation(QObject &owner, const VevoAppearance &appearance, VevoMotion motion,
                  std::function<void(double)> apply, double initial);

    // Moves from wherever the value is now, so changing course mid-flight
    // never jumps.
    void animateTo(double target);
    // The same, with another motion for this move only (a press and its
    // release run at different speeds).
    void animateTo(double target, const VevoMotion &motion);
    double value() const { return m_value; }
    double target() const { return m_target; }
    bool isRunning() const { return m_animation.state() == QAbstractAnimation::Running; }

private:
    void set(double value);

    const VevoAppearance &m_appearance;
    VevoMotion m_motion;
    std::function<void(double)> m_apply;
    QVariantAnimation m_animation;
    double m_value;
    double m_target;
};
