#include "ui/design/VevoStatusDot.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoLoop.h"

#include <QPainter>

namespace {

constexpr double dotDiameter = 8;
// The ring grows from the dot to the edge of the widget.
constexpr int extent = 16;
constexpr int pulseDurationMs = 1600;

} // namespace

VevoStatusDot::VevoStatusDot(VevoAppearance &appearance, VevoTone tone, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_pulse(new VevoLoop(*this, appearance, pulseDurationMs, QEasingCurve::OutCubic))
    , m_tone(tone)
{
    setFixedSize(extent, extent);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

VevoStatusDot::~VevoStatusDot() = default;

void VevoStatusDot::setTone(VevoTone tone)
{
    m_tone = tone;
    update();
}

void VevoStatusDot::setPulsing(bool pulsing)
{
    m_pulse->setWanted(pulsing);
    update();
}

bool VevoStatusDot::isPulsing() const
{
    return m_pulse->isWanted();
}

bool VevoStatusDot::isAnimating() const
{
    return m_pulse->isRunning();
}

QSize VevoStatusDot::sizeHint() const
{
    return {extent, extent};
}

void VevoStatusDot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QPointF centre = QRectF(rect()).center();
    const QColor ink = m_appearance.color(Vevo::ink(m_tone));

    if (isAnimating()) {
        const double phase = m_pulse->phase();
        QColor ring = ink;
        ring.setAlphaF(static_cast<float>(0.5 * (1 - phase)));
        const double radius = dotDiameter / 2 + phase * (extent - dotDiameter) / 2;
        painter.setBrush(ring);
        painter.drawEllipse(centre, radius, radius);
    }
    painter.setBrush(ink);
    painter.drawEllipse(centre, dotDiameter / 2, dotDiameter / 2);
}
