#pragma once

#include "base/InstallerPhase.h"

#include <QWidget>

class VevoAppearance;

// One phase in the overlay's row: done (with a check mark), under way, or
// still to come.
class PhaseChip final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PhaseChip)

public:
    PhaseChip(VevoAppearance &appearance, InstallerPhase phase, QWidget *parent = nullptr);
    ~PhaseChip() override;

    InstallerPhase phase() const { return m_phase; }
    bool isComplete() const { return m_complete; }
    bool isActive() const { return m_active; }
    // Judges this chip against the phase under way.
    void follow(InstallerPhase current);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont labelFont() const;

    VevoAppearance &m_appearance;
    InstallerPhase m_phase;
    bool m_complete = false;
    bool m_active = false;
};
