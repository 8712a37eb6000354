#include "ui/shell/SidebarItem.h"

#include "ui/design/VevoAccessible.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoIcons.h"
#include "ui/design/VevoMetrics.h"

#include <QPainter>

namespace {

constexpr int itemHeight = 36;
constexpr int symbolSize = 18;
constexpr int fontPixelSize = 13;
constexpr double badgeDot = 7;

QString symbol(AppSection section)
{
    switch (section) {
    case AppSection::home:
        return QStringLiteral("house.fill");
    case AppSection::setup:
        return QStringLiteral("wrench.and.screwdriver.fill");
    case AppSection::maps:
        return QStringLiteral("map.fill");
    case AppSection::updates:
        return QStringLiteral("arrow.triangle.2.circlepath");
    case AppSection::settings:
        break;
    }
    return QStringLiteral("slider.horizontal.3");
}

} // namespace

SidebarItem::SidebarItem(VevoAppearance &appearance, AppSection section, QWidget *parent)
    : QAbstractButton(parent)
    , m_appearance(appearance)
    , m_section(section)
{
    setObjectName(QStringLiteral("sidebarItem-") + title(section));
    setText(title(section));
    setFocusPolicy(Qt::TabFocus);
    // Repaints as the pointer comes and goes; underMouse() then tells hover.
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont font = this->font();
    font.setPixelSize(fontPixelSize);
    font.setWeight(QFont::Medium);
    setFont(font);
    updateAccessibleName();
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

SidebarItem::~SidebarItem() = default;

void SidebarItem::setSelected(bool selected)
{
    m_selected = selected;
    update();
}

void SidebarItem::setCollapsed(bool collapsed)
{
    m_collapsed = collapsed;
    // The rail has no room for titles; the tooltip names the section.
    setToolTip(collapsed ? text() : QString());
    updateGeometry();
    update();
}

void SidebarItem::setBadge(bool badge)
{
    m_badge = badge;
    updateAccessibleName();
    update();
}

QSize SidebarItem::sizeHint() const
{
    return {itemHeight, itemHeight};
}

QSize SidebarItem::minimumSizeHint() const
{
    return sizeHint();
}

void SidebarItem::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (m_selected || underMouse() || isDown()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_appearance.color(m_selected ? Vevo::liveWash : Vevo::fill));
        painter.drawRoundedRect(body, Vevo::Radius::control, Vevo::Radius::control);
    }
    if (showsKeyboardFocus(*this)) {
        painter.setPen(QPen(m_appearance.color(Vevo::liveLine), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(body, Vevo::Radius::control, Vevo::Radius::control);
    }

    // Centred in the rail, leading the title otherwise.
    const double iconLeft = m_collapsed ? (width() - symbolSize) / 2.0 : Vevo::Space::md;
    const QRectF icon(iconLeft, (height() - symbolSize) / 2.0, symbolSize, symbolSize);
    Vevo::paintIcon(painter, icon, symbol(m_section), m_appearance.color(m_selected ? Vevo::liveInk : Vevo::textMuted));
    if (m_badge)
        paintBadge(painter, icon);
    if (m_collapsed)
        return;

    const QRectF label(icon.right() + Vevo::Space::sm + 2, 0, width() - icon.right() - Vevo::Space::lg - 2, height());
    painter.setFont(font());
    painter.setPen(m_appearance.color(m_selected ? Vevo::textStrong : Vevo::text));
    painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideRight, static_cast<int>(label.width())));
}

void SidebarItem::paintBadge(QPainter &painter, const QRectF &icon)
{
    // On the icon's corner in the rail, at the row's end beside a title.
    const QPointF centre = m_collapsed ? icon.topRight() + QPointF(1, 1)
                                       : QPointF(width() - Vevo::Space::md - badgeDot / 2, height() / 2.0);
    // A ring of the sidebar's colour lifts the dot off the icon.
    painter.setPen(QPen(m_appearance.color(Vevo::sunken), 2));
    painter.setBrush(m_appearance.color(Vevo::live));
    painter.drawEllipse(centre, badgeDot / 2, badgeDot / 2);
}

void SidebarItem::updateAccessibleName()
{
    setAccessibleName(m_badge ? text() + QStringLiteral(", update available") : text());
}
