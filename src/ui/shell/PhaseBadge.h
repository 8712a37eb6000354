#pragma once

#include "base/InstallerPhase.h"

#include <QWidget>

class VevoAppearance;
class VevoLoop;

// The current phase's picture inside a ring that turns once every 2.4 s
// while work goes on, unless the system asks for reduced motion.
class PhaseBadge final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PhaseBadge)

public:
    explicit PhaseBadge(VevoAppearance &appearance, QWidget *parent = nullptr);
    ~PhaseBadge() override;

    InstallerPhase phase() const { return m_phase; }
    void setPhase(InstallerPhase phase);
    bool isTurning() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    VevoAppearance &m_appearance;
    VevoLoop *m_turn;
    InstallerPhase m_phase = InstallerPhase::preparing;
};
