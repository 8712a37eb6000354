#include "ui/design/VevoButton.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoMotion.h"

#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

#include <cmath>

namespace {

constexpr double pressedScale = 0.97;
constexpr double disabledOpacity = 0.45;
// Kinds without hover roles of their own tint their fill with the text
// colour, which lightens in the dark appearance and darkens in the light.
constexpr double stateLayerAlpha = 0.1;

} // namespace

VevoButton::VevoButton(VevoAppearance &appearance, const QString &title, VevoButtonKind kind, VevoControlSize size,
                       QWidget *parent)
    : QAbstractButton(parent)
    , m_appearance(appearance)
    , m_press(new QVariantAnimation(this))
    , m_kind(kind)
    , m_size(size)
{
    setText(title);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);

    connect(m_press, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_scale = value.toDouble();
        update();
    });
    connect(this, &QAbstractButton::pressed, this, [this] { animatePress(true); });
    connect(this, &QAbstractButton::released, this, [this] { animatePress(false); });
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

VevoButton::~VevoButton() = default;

void VevoButton::setKind(VevoButtonKind kind)
{
    m_kind = kind;
    update();
}

void VevoButton::setControlSize(VevoControlSize size)
{
    m_size = size;
    updateGeometry();
    update();
}

void VevoButton::setFullWidth(bool fullWidth)
{
    m_fullWidth = fullWidth;
    setSizePolicy(fullWidth ? QSizePolicy::Expanding : QSizePolicy::Maximum, QSizePolicy::Fixed);
}

QSize VevoButton::sizeHint() const
{
    const VevoControlMetrics size = metrics(m_size);
    // Rounded up: eliding compares the fractional advance with the width.
    const int label = static_cast<int>(std::ceil(QFontMetricsF(labelFont()).horizontalAdvance(text())));
    return {label + 2 * size.padding, size.height};
}

QSize VevoButton::minimumSizeHint() const
{
    const int height = metrics(m_size).height;
    return {2 * height, height};
}

void VevoButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(disabledOpacity);

    const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.translate(body.center());
    painter.scale(m_scale, m_scale);
    painter.translate(-body.center());

    QPainterPath shape;
    shape.addRoundedRect(body, Vevo::Radius::control, Vevo::Radius::control);
    if (const VevoRole *fill = background())
        painter.fillPath(shape, m_appearance.color(*fill));
    if (m_kind == VevoButtonKind::destructive && isActive()) {
        QColor layer = m_appearance.color(Vevo::textStrong);
        layer.setAlphaF(stateLayerAlpha);
        painter.fillPath(shape, layer);
    }
    // Raised kinds catch the light along their top edge.
    if (m_kind == VevoButtonKind::primary || m_kind == VevoButtonKind::secondary) {
        painter.save();
        painter.setClipPath(shape);
        painter.setPen(QPen(
            m_appearance.color(m_kind == VevoButtonKind::primary ? Vevo::liveHighlight : Vevo::bevelHighlight), 1));
        painter.drawLine(QPointF(body.left(), body.top() + 1), QPointF(body.right(), body.top() + 1));
        painter.restore();
    }
    if (const VevoRole *edge = hasFocus() ? &Vevo::liveLine : border()) {
        painter.setPen(QPen(m_appearance.color(*edge), hasFocus() ? 2 : 1));
        painter.drawPath(shape);
    }

    const int padding = metrics(m_size).padding;
    painter.setFont(labelFont());
    painter.setPen(m_appearance.color(foreground()));
    const QString label = painter.fontMetrics().elidedText(text(), Qt::ElideRight, width() - 2 * padding);
    painter.drawText(body, Qt::AlignCenter, label);
}

void VevoButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void VevoButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void VevoButton::animatePress(bool pressed)
{
    update();
    if (m_appearance.reducedMotion())
        return;
    const VevoMotion &motion = pressed ? Vevo::Motion::press : Vevo::Motion::release;
    m_press->stop();
    m_press->setStartValue(m_scale);
    m_press->setEndValue(pressed ? pressedScale : 1.0);
    m_press->setDuration(motion.durationMs);
    m_press->setEasingCurve(motion.easing());
    m_press->start();
}

QFont VevoButton::labelFont() const
{
    QFont font = this->font();
    font.setPixelSize(metrics(m_size).fontPixelSize);
    font.setWeight(QFont::DemiBold);
    return font;
}

bool VevoButton::isActive() const
{
    return isEnabled() && (m_hovered || isDown());
}

const VevoRole *VevoButton::background() const
{
    const bool active = isActive();
    switch (m_kind) {
    case VevoButtonKind::primary:
        if (!isActive())
            return &Vevo::live;
        return isDown() ? &Vevo::livePress : &Vevo::liveHover;
    case VevoButtonKind::secondary:
        return active ? &Vevo::fillHover : &Vevo::fill;
    case VevoButtonKind::outline:
    case VevoButtonKind::ghost:
        return active ? &Vevo::fill : nullptr;
    case VevoButtonKind::destructive:
        return &Vevo::danger;
    case VevoButtonKind::dangerQuiet:
        return active ? &Vevo::dangerWash : nullptr;
    }
    return nullptr;
}

const VevoRole &VevoButton::foreground() const
{
    switch (m_kind) {
    case VevoButtonKind::primary:
        return Vevo::onLive;
    case VevoButtonKind::secondary:
        return Vevo::textStrong;
    case VevoButtonKind::outline:
    case VevoButtonKind::ghost:
        return Vevo::text;
    case VevoButtonKind::destructive:
        return Vevo::onDanger;
    case VevoButtonKind::dangerQuiet:
        break;
    }
    return Vevo::danger;
}

const VevoRole *VevoButton::border() const
{
    switch (m_kind) {
    case VevoButtonKind::primary:
        return &Vevo::liveEdge;
    case VevoButtonKind::secondary:
        return &Vevo::bevelEdge;
    case VevoButtonKind::outline:
        return isActive() ? &Vevo::lineStrong : &Vevo::line;
    case VevoButtonKind::ghost:
    case VevoButtonKind::destructive:
    case VevoButtonKind::dangerQuiet:
        break;
    }
    return nullptr;
}
