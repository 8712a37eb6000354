#include "ui/shell/PhaseBadge.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoIcons.h"
#include "ui/design/VevoLoop.h"
#include "ui/shell/PhaseArtwork.h"

#include <QPainter>

namespace {

constexpr int badgeSize = 44;
constexpr int turnDurationMs = 2400;
constexpr double ringWidth = 2.5;
// The arc covers a third of the ring; Qt measures angles in sixteenths of a degree.
constexpr int arcSpan = 120 * 16;

} // namespace

PhaseBadge::PhaseBadge(VevoAppearance &appearance, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_turn(new VevoLoop(*this, appearance, turnDurationMs, QEasingCurve::Linear))
{
    setFixedSize(badgeSize, badgeSize);
    m_turn->setWanted(true);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

PhaseBadge::~PhaseBadge() = default;

void PhaseBadge::setPhase(InstallerPhase phase)
{
    m_phase = phase;
    setAccessibleName(phaseTitle(phase));
    // Nothing turns once the work is done.
    m_turn->setWanted(phase != InstallerPhase::complete);
    update();
}

bool PhaseBadge::isTurning() const
{
    return m_turn->isRunning();
}

void PhaseBadge::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool complete = m_phase == InstallerPhase::complete;
    const QRectF ring = QRectF(rect()).adjusted(ringWidth / 2, ringWidth / 2, -ringWidth / 2, -ringWidth / 2);

    painter.setPen(QPen(m_appearance.color(complete ? Vevo::okInk : Vevo::liveLine), ringWidth));
    painter.setBrush(m_appearance.color(complete ? Vevo::okWash : Vevo::liveWash));
    painter.drawEllipse(ring);
    if (!complete) {
        // Clockwise from the top; a still arc rests there.
        const double turned = isTurning() ? m_turn->phase() : 0;
        const int start = 90 * 16 - static_cast<int>(turned * 360 * 16);
        painter.setPen(QPen(m_appearance.color(Vevo::liveInk), ringWidth, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(ring, start, -arcSpan);
    }

    const double icon = badgeSize * 0.45;
    const QRectF iconRect((width() - icon) / 2, (height() - icon) / 2, icon, icon);
    Vevo::paintIcon(painter, iconRect, phaseSymbol(m_phase),
                    m_appearance.color(complete ? Vevo::okInk : Vevo::liveInk));
}
