#pragma once

#include "ui/design/VevoTone.h"

#include <QWidget>

class VevoLoop;
class VevoAppearance;

// A small dot in the ink of its tone. A pulsing dot sends out a fading ring
// while it is shown, unless the system asks for reduced motion.
class VevoStatusDot final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoStatusDot)

public:
    explicit VevoStatusDot(VevoAppearance &appearance, VevoTone tone = VevoTone::neutral, QWidget *parent = nullptr);
    ~VevoStatusDot() override;

    VevoTone tone() const { return m_tone; }
    void setTone(VevoTone tone);
    bool isPulsing() const;
    void setPulsing(bool pulsing);

    // Whether the ring is moving right now.
    bool isAnimating() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    VevoAppearance &m_appearance;
    VevoLoop *m_pulse;
    VevoTone m_tone;
};
