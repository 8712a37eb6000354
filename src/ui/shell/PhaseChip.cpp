#include "ui/shell/PhaseChip.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoIcons.h"
#include "ui/design/VevoMetrics.h"
#include "ui/shell/PhaseArtwork.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr int chipHeight = 24;
constexpr int markSize = 12;
constexpr int fontPixelSize = 11;

} // namespace

PhaseChip::PhaseChip(VevoAppearance &appearance, InstallerPhase phase, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_phase(phase)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(phaseTitle(phase));
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

PhaseChip::~PhaseChip() = default;

void PhaseChip::follow(InstallerPhase current)
{
    // The last phase is done the moment it is reached.
    m_complete = m_phase < current || current == InstallerPhase::complete;
    m_active = m_phase == current && !m_complete;
    setAccessibleDescription(m_complete ? QStringLiteral("Done")
                             : m_active ? QStringLiteral("In progress")
                                        : QString());
    update();
}

QSize PhaseChip::sizeHint() const
{
    // Measured in the active weight, so the chip keeps its size as phases pass.
    QFont font = labelFont();
    font.setWeight(QFont::DemiBold);
    const int label = static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(phaseTitle(m_phase))));
    return {Vevo::Space::sm + markSize + Vevo::Space::xs + label + Vevo::Space::md, chipHeight};
}

void PhaseChip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = body.height() / 2;
    if (m_active) {
        painter.setPen(QPen(m_appearance.color(Vevo::liveLine), 1));
        painter.setBrush(m_appearance.color(Vevo::liveWash));
    } else {
        painter.setPen(QPen(m_appearance.color(m_complete ? Vevo::hairline : Vevo::line), 1));
        painter.setBrush(m_complete ? m_appearance.color(Vevo::okWash) : Qt::transparent);
    }
    painter.drawRoundedRect(body, radius, radius);

    const QRectF mark(Vevo::Space::sm, (height() - markSize) / 2.0, markSize, markSize);
    if (m_complete) {
        Vevo::paintIcon(painter, mark, QStringLiteral("checkmark"), m_appearance.color(Vevo::okInk));
    } else {
        // A filled dot under way, a hollow one still to come.
        const double dot = m_active ? 7 : 6;
        painter.setPen(m_active ? Qt::NoPen : QPen(m_appearance.color(Vevo::textFaint), 1.2));
        painter.setBrush(m_active ? m_appearance.color(Vevo::live) : Qt::transparent);
        painter.drawEllipse(mark.center(), dot / 2, dot / 2);
    }

    painter.setFont(labelFont());
    painter.setPen(m_appearance.color(m_active ? Vevo::liveInk : m_complete ? Vevo::text : Vevo::textFaint));
    const QRectF label(mark.right() + Vevo::Space::xs, 0, width() - mark.right() - Vevo::Space::xs, height());
    painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter, phaseTitle(m_phase));
}

QFont PhaseChip::labelFont() const
{
    QFont font = this->font();
    font.setPixelSize(fontPixelSize);
    font.setWeight(m_active ? QFont::DemiBold : QFont::Medium);
    return font;
}
