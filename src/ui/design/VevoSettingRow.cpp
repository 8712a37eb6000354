#include "ui/design/VevoSettingRow.h"

#include "ui/design/VevoInfoLine.h"
#include "ui/design/VevoMetrics.h"

#include <QHBoxLayout>

VevoSettingRow::VevoSettingRow(VevoAppearance &appearance, const QString &title, const QString &detail,
                               QWidget *accessory, QWidget *parent)
    : QWidget(parent)
    , m_texts(new VevoInfoLine(appearance, title, detail))
    , m_accessory(accessory)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(Vevo::Space::lg);
    row->addWidget(m_texts, 1);
    row->addWidget(m_accessory, 0, Qt::AlignVCenter);
}

VevoSettingRow::~VevoSettingRow() = default;
