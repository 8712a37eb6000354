#include "ui/design/VevoSectionLabel.h"

#include "ui/design/VevoColors.h"
#include "ui/design/VevoMetrics.h"
#include "ui/design/VevoText.h"

#include <QHBoxLayout>

VevoSectionLabel::VevoSectionLabel(VevoAppearance &appearance, const QString &text, QWidget *trailing, QWidget *parent)
    : QWidget(parent)
    , m_label(new VevoText(appearance, text.toUpper(), Vevo::textFaint, 11, QFont::DemiBold))
{
    // Read out as written, not letter by letter in capitals.
    m_label->setAccessibleName(text);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(Vevo::Space::sm);
    row->addWidget(m_label, 1);
    if (trailing)
        row->addWidget(trailing);
}

VevoSectionLabel::~VevoSectionLabel() = default;
