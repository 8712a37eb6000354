#include "ui/design/VevoRowList.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoMetrics.h"

#include <QPainter>
#include <QVBoxLayout>

VevoDivider::VevoDivider(VevoAppearance &appearance, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
{
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

VevoDivider::~VevoDivider() = default;

void VevoDivider::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), m_appearance.color(Vevo::hairline));
}

VevoRowList::VevoRowList(VevoAppearance &appearance, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_column(new QVBoxLayout(this))
{
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(Vevo::Space::md);
}

VevoRowList::~VevoRowList() = default;

void VevoRowList::addRow(QWidget *row)
{
    if (m_rows++ > 0)
        m_column->addWidget(new VevoDivider(m_appearance));
    m_column->addWidget(row);
}
