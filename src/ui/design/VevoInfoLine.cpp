#include "ui/design/VevoInfoLine.h"

#include "ui/design/VevoColors.h"
#include "ui/design/VevoText.h"

#include <QVBoxLayout>

VevoInfoLine::VevoInfoLine(VevoAppearance &appearance, const QString &title, const QString &detail, QWidget *parent)
    : QWidget(parent)
    , m_title(new VevoText(appearance, title, Vevo::text, 13, QFont::Medium))
    , m_detail(new VevoText(appearance, detail, Vevo::textMuted, 12))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(m_title);
    column->addWidget(m_detail);
}

VevoInfoLine::~VevoInfoLine() = default;
