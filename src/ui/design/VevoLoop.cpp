#include "ui/design/VevoLoop.h"

#include "ui/design/VevoAppearance.h"

#include <QEvent>
#include <QWidget>

VevoLoop::VevoLoop(QWidget &widget, const VevoAppearance &appearance, int durationMs, QEasingCurve curve)
    : QObject(&widget)
    , m_widget(widget)
    , m_appearance(appearance)
{
    m_animation.setStartValue(0.0);
    m_animation.setEndValue(1.0);
    m_animation.setDuration(durationMs);
    m_animation.setEasingCurve(curve);
    m_animation.setLoopCount(-1);
    connect(&m_animation, &QVariantAnimation::valueChanged, &m_widget, qOverload<>(&QWidget::update));
    // A stopped loop draws its widget's still frame, which needs a repaint.
    connect(&m_appearance, &VevoAppearance::reducedMotionChanged, this, [this] {
        update();
        m_widget.update();
    });
    m_widget.installEventFilter(this);
}

void VevoLoop::setWanted(bool wanted)
{
    m_wanted = wanted;
    update();
}

bool VevoLoop::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        update();
    return QObject::eventFilter(watched, event);
}

void VevoLoop::update()
{
    if (m_wanted && m_widget.isVisible() && !m_appearance.reducedMotion())
        m_animation.start();
    else
        m_animation.stop();
}
