#include "ui/design/VevoProgressBar.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoLoop.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int sweepDurationMs = 1400;
constexpr double segmentFraction = 0.3;

} // namespace

VevoProgressBar::VevoProgressBar(VevoAppearance &appearance, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_sweep(new VevoLoop(*this, appearance, sweepDurationMs, QEasingCurve::InOutSine))
{
    installVevoAccessibility();
    setAccessibleName(QStringLiteral("Progress"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

VevoProgressBar::~VevoProgressBar() = default;

void VevoProgressBar::setProgress(double progress)
{
    const double clamped = std::isnan(progress) ? 0.0 : std::clamp(progress, 0.0, 1.0);
    if (clamped == m_progress)
        return;
    m_progress = clamped;
    update();
    announceValue();
}

void VevoProgressBar::setIndeterminate(bool indeterminate)
{
    if (indeterminate == m_indeterminate)
        return;
    m_indeterminate = indeterminate;
    m_sweep->setWanted(indeterminate);
    update();
    announceValue();
}

void VevoProgressBar::setBarHeight(int height)
{
    m_barHeight = std::max(height, 2);
    updateGeometry();
    update();
}

bool VevoProgressBar::isAnimating() const
{
    return m_sweep->isRunning();
}

// Whole percents rounded down, so a bar announces 100 only once it is full.
QString VevoProgressBar::accessibleValue() const
{
    if (m_indeterminate)
        return QStringLiteral("In progress");
    const int percent = static_cast<int>(std::floor(m_progress * 100 + 1e-9));
    return QStringLiteral("%1 percent").arg(percent);
}

QSize VevoProgressBar::sizeHint() const
{
    return {200, m_barHeight};
}

QSize VevoProgressBar::minimumSizeHint() const
{
    return {4 * m_barHeight, m_barHeight};
}

void VevoProgressBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    const QRectF track(0, (height() - m_barHeight) / 2.0, width(), m_barHeight);
    const double radius = m_barHeight / 2.0;
    QPainterPath trackPath;
    trackPath.addRoundedRect(track, radius, radius);
    // A step darker than a plain fill, so the track still reads on a white card.
    painter.fillPath(trackPath, m_appearance.color(Vevo::fillHover));
    painter.setClipPath(trackPath);

    QRectF filled = track;
    if (m_indeterminate) {
        // Without motion the segment rests in the middle of the track.
        const double phase = isAnimating() ? m_sweep->phase() : 0.5;
        const double segment = track.width() * segmentFraction;
        filled.setWidth(segment);
        filled.moveLeft(phase * (track.width() + segment) - segment);
    } else if (m_progress > 0) {
        // Never narrower than the bar is tall, so the rounded end stays round.
        filled.setWidth(std::max(track.width() * m_progress, static_cast<double>(m_barHeight)));
    } else {
        return;
    }
    painter.setBrush(m_appearance.color(Vevo::live));
    painter.drawRoundedRect(filled, radius, radius);
}

void VevoProgressBar::announceValue()
{
    QAccessibleValueChangeEvent event(this, accessibleValue());
    QAccessible::updateAccessibility(&event);
}
