#pragma once

#include <QWidget>

#include <array>

class PercentReadout;
class PhaseBadge;
class PhaseChip;
class OperationState;
class VevoAnimation;
class VevoAppearance;
class VevoBadge;
class VevoCard;
class VevoProgressBar;
class VevoText;

// Covers the window while an operation runs: a scrim, and a card with the
// phase, what is happening, how far it is and the phases still to come. It
// fades in and out with isBusy.
class BusyOverlay final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BusyOverlay)

public:
    static constexpr int cardWidth = 560;

    BusyOverlay(OperationState &operation, VevoAppearance &appearance, QWidget *parent = nullptr);
    ~BusyOverlay() override;

    VevoCard *card() const { return m_card; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *createHeading(VevoAppearance &appearance);
    QWidget *createPhaseRow(VevoAppearance &appearance);
    QWidget *createFooter(VevoAppearance &appearance);
    void followBusy();
    void followPhase();
    void followProgress();
    void followDetail();
    void placeCard();
    void applyOpacity(double opacity);

    OperationState &m_operation;
    VevoAppearance &m_appearance;
    VevoCard *m_card;
    PhaseBadge *m_badge = nullptr;
    VevoText *m_phaseTitle = nullptr;
    VevoBadge *m_stallMark = nullptr;
    VevoText *m_activity = nullptr;
    VevoText *m_detail = nullptr;
    PercentReadout *m_readout = nullptr;
    VevoProgressBar *m_bar = nullptr;
    std::array<PhaseChip *, 6> m_chips{};
    VevoAnimation *m_fade;
};
