#pragma once

#include <QEasingCurve>
#include <QObject>
#include <QVariantAnimation>

class QWidget;
class VevoAppearance;

// An endless animation from 0 to 1 that repaints its widget on every frame.
// It runs only while it is wanted, the widget is shown and the system allows
// motion, so hidden or reduced-motion controls cost nothing; a change of the
// motion preference stops or restarts it at once.
class VevoLoop final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoLoop)

public:
    VevoLoop(QWidget &widget, const VevoAppearance &appearance, int durationMs, QEasingCurve curve);

    bool isWanted() const { return m_wanted; }
    void setWanted(bool wanted);
    bool isRunning() const { return m_animation.state() == QAbstractAnimation::Running; }
    double phase() const { return m_animation.currentValue().toDouble(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void update();

    QWidget &m_widget;
    const VevoAppearance &m_appearance;
    QVariantAnimation m_animation;
    bool m_wanted = false;
};
