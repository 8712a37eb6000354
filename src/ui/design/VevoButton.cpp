#include "ui/design/VevoButton.h"

#include "ui/design/VevoAccessible.h"
#include "ui/design/VevoAnimation.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoIcons.h"
#include "ui/design/VevoMotion.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
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
    , m_press(new VevoAnimation(
          *this, appearance, Vevo::Motion::press, [this](double) { update(); }, 1))
    , m_kind(kind)
    , m_size(size)
{
    setText(title);
    setFocusPolicy(Qt::TabFocus);
    // Repaints as the pointer comes and goes; underMouse() then tells hover.
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);

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

void VevoButton::setSymbol(const QString &symbol)
{
    m_symbol = symbol;
    updateGeometry();
    update();
}

void VevoButton::setTrailingSymbol(const QString &symbol)
{
    m_trailingSymbol = symbol;
    updateGeometry();
    update();
}

QSize VevoButton::sizeHint() const
{
    const VevoControlMetrics size = metrics(m_size);
    // Rounded up: eliding compares the fractional advance with the width.
    const int label = static_cast<int>(std::ceil(QFontMetricsF(labelFont()).horizontalAdvance(text())));
    return {label + iconRoom() + 2 * size.padding, size.height};
}

QSize VevoButton::minimumSizeHint() const
{
    // The icons never give way, so the title keeps the same least room
    // with them as without.
    const int height = metrics(m_size).height;
    return {2 * height + iconRoom(), height};
}

void VevoButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(disabledOpacity);

    const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.translate(body.center());
    painter.scale(pressScale(), pressScale());
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
    const bool focusRing = showsKeyboardFocus(*this);
    if (const VevoRole *edge = focusRing ? &Vevo::liveLine : border()) {
        painter.setPen(QPen(m_appearance.color(*edge), focusRing ? 2 : 1));
        painter.drawPath(shape);
    }

    // Icons and title are centred as one run; only the title gives way.
    const QColor ink = m_appearance.color(foreground());
    const int icon = iconSize();
    const int room = iconRoom();
    painter.setFont(labelFont());
    painter.setPen(ink);
    const QString label =
        painter.fontMetrics().elidedText(text(), Qt::ElideRight, width() - 2 * metrics(m_size).padding - room);
    const double labelWidth = QFontMetricsF(painter.font()).horizontalAdvance(label);
    const double iconTop = std::floor((height() - icon) / 2.0);
    double x = std::round((width() - room - labelWidth) / 2);
    if (Vevo::hasIcon(m_symbol)) {
        Vevo::paintIcon(painter, QRectF(x, iconTop, icon, icon), m_symbol, ink);
        x += icon + Vevo::Space::xs;
    }
    if (!label.isEmpty()) {
        painter.drawText(QRectF(x, body.top(), body.right() - x, body.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         label);
        x += labelWidth + Vevo::Space::xs;
    }
    Vevo::paintIcon(painter, QRectF(x, iconTop, icon, icon), m_trailingSymbol, ink);
}

double VevoButton::pressScale() const
{
    return m_press->value();
}

void VevoButton::animatePress(bool pressed)
{
    update();
    // Reduced motion means no scaling at all, not a jump to the pressed size.
    if (m_appearance.reducedMotion())
        return;
    m_press->animateTo(pressed ? pressedScale : 1.0, pressed ? Vevo::Motion::press : Vevo::Motion::release);
}

QFont VevoButton::labelFont() const
{
    QFont font = this->font();
    font.setPixelSize(metrics(m_size).fontPixelSize);
    font.setWeight(QFont::DemiBold);
    return font;
}

int VevoButton::iconSize() const
{
    return metrics(m_size).fontPixelSize + 2;
}

int VevoButton::iconRoom() const
{
    const int icons = int(Vevo::hasIcon(m_symbol)) + int(Vevo::hasIcon(m_trailingSymbol));
    const int parts = icons + int(!text().isEmpty());
    return icons * iconSize() + std::max(0, parts - 1) * Vevo::Space::xs;
}

bool VevoButton::isActive() const
{
    return isEnabled() && (underMouse() || isDown());
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
