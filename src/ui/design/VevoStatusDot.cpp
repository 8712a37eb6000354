#include "ui/design/VevoStatusDot.h"

#include "ui/design/VevoAppearance.h"

#include <QPainter>
#include <QVariantAnimation>

namespace {

constexpr double dotDiameter = 8;
// The ring grows from the dot to the edge of the widget.
constexpr int extent = 16;
constexpr int pulseDurationMs = 1600;

} // namespace

VevoStatusDot::VevoStatusDot(VevoAppearance &appearance, VevoTone tone, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_pulse(new QVariantAnimation(this))
    , m_tone(tone)
{
    setFixedSize(extent, extent);
    m_pulse->setStartValue(0.0);
    m_pulse->setEndValue(1.0);
    m_pulse->setDuration(pulseDurationMs);
    m_pulse->setEasingCurve(QEasingCurve::OutCubic);
    m_pulse->setLoopCount(-1);
    connect(m_pulse, &QVariantAnimation::valueChanged, this, qOverload<>(&QWidget::update));
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
    m_pulsing = pulsing;
    updateAnimation();
    update();
}

bool VevoStatusDot::isAnimating() const
{
    return m_pulse->state() == QAbstractAnimation::Running;
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
        const double phase = m_pulse->currentValue().toDouble();
        QColor ring = ink;
        ring.setAlphaF(static_cast<float>(0.5 * (1 - phase)));
        const double radius = dotDiameter / 2 + phase * (extent - dotDiameter) / 2;
        painter.setBrush(ring);
        painter.drawEllipse(centre, radius, radius);
    }
    painter.setBrush(ink);
    painter.drawEllipse(centre, dotDiameter / 2, dotDiameter / 2);
}

void VevoStatusDot::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updateAnimation();
}

void VevoStatusDot::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    updateAnimation();
}

void VevoStatusDot::updateAnimation()
{
    if (m_pulsing && isVisible() && !m_appearance.reducedMotion())
        m_pulse->start();
    else
        m_pulse->stop();
}
