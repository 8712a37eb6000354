#include "ui/design/VevoIconTile.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoIcons.h"
#include "ui/design/VevoMetrics.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr double iconShare = 0.55;

} // namespace

VevoIconTile::VevoIconTile(VevoAppearance &appearance, const QString &symbol, VevoTone tone, int size, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_symbol(symbol)
    , m_tone(tone)
{
    setFixedSize(size, size);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

VevoIconTile::~VevoIconTile() = default;

void VevoIconTile::setSymbol(const QString &symbol)
{
    m_symbol = symbol;
    update();
}

void VevoIconTile::setTone(VevoTone tone)
{
    m_tone = tone;
    update();
}

void VevoIconTile::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_appearance.color(Vevo::wash(m_tone)));
    painter.drawRoundedRect(rect(), Vevo::Radius::control, Vevo::Radius::control);
    // An even icon size on an even tile centres it on whole pixels.
    const double icon = 2 * std::round(width() * iconShare / 2);
    const double inset = (width() - icon) / 2;
    Vevo::paintIcon(painter, QRectF(inset, inset, icon, icon), m_symbol, m_appearance.color(Vevo::ink(m_tone)));
}
