#include "ui/design/VevoInfoLine.h"

#include "ui/design/VevoColors.h"
#include "ui/design/VevoIcons.h"
#include "ui/design/VevoMetrics.h"
#include "ui/design/VevoSymbol.h"
#include "ui/design/VevoText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

VevoInfoLine::VevoInfoLine(VevoAppearance &appearance, const QString &title, const QString &detail, QWidget *parent)
    : QWidget(parent)
    , m_symbol(new VevoSymbol(appearance, {}, Vevo::textMuted, 16))
    , m_title(new VevoText(appearance, title, Vevo::text, 13, QFont::Medium))
    , m_detail(new VevoText(appearance, detail, Vevo::textMuted, 12))
{
    m_symbol->hide();
    auto *column = new QVBoxLayout;
    column->setSpacing(2);
    column->addWidget(m_title);
    column->addWidget(m_detail);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(Vevo::Space::sm);
    // Level with the title line.
    row->addWidget(m_symbol, 0, Qt::AlignTop);
    row->addLayout(column, 1);
}

VevoInfoLine::~VevoInfoLine() = default;

QString VevoInfoLine::symbol() const
{
    return m_symbol->symbol();
}

void VevoInfoLine::setSymbol(const QString &symbol)
{
    m_symbol->setSymbol(symbol);
    m_symbol->setVisible(Vevo::hasIcon(symbol));
}
