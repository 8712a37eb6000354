#include "ui/design/VevoSymbol.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoIcons.h"

#include <QPainter>

VevoSymbol::VevoSymbol(VevoAppearance &appearance, const QString &symbol, const VevoRole &role, int size,
                       QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_symbol(symbol)
    , m_role(&role)
{
    setFixedSize(size, size);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

VevoSymbol::~VevoSymbol() = default;

void VevoSymbol::setSymbol(const QString &symbol)
{
    m_symbol = symbol;
    update();
}

void VevoSymbol::setRole(const VevoRole &role)
{
    m_role = &role;
    update();
}

void VevoSymbol::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    Vevo::paintIcon(painter, rect(), m_symbol, m_appearance.color(*m_role));
}
