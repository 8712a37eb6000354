#include "ui/design/VevoCard.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"

#include <QPainter>
#include <QVBoxLayout>

VevoCard::VevoCard(VevoAppearance &appearance, VevoSurface surface, int padding, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_column(new QVBoxLayout(this))
    , m_surface(surface)
{
    m_column->setContentsMargins(padding, padding, padding, padding);
    m_column->setSpacing(Vevo::Space::sm);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

VevoCard::~VevoCard() = default;

void VevoCard::setSurface(VevoSurface surface, VevoTone tone)
{
    m_surface = surface;
    m_tone = tone;
    update();
}

void VevoCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (m_surface) {
    case VevoSurface::tinted:
        painter.setBrush(m_appearance.color(Vevo::wash(m_tone)));
        painter.setPen(Qt::NoPen);
        break;
    case VevoSurface::raised:
        painter.setBrush(m_appearance.color(Vevo::raised));
        painter.setPen(QPen(m_appearance.color(Vevo::hairline), 1));
        break;
    case VevoSurface::well:
        painter.setBrush(m_appearance.color(Vevo::sunken));
        painter.setPen(QPen(m_appearance.color(Vevo::hairline), 1));
        break;
    }
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), Vevo::Radius::panel, Vevo::Radius::panel);
}
