#include "ui/design/VevoPageHeader.h"

#include "ui/design/VevoColors.h"
#include "ui/design/VevoMetrics.h"
#include "ui/design/VevoText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

VevoPageHeader::VevoPageHeader(VevoAppearance &appearance, const QString &eyebrow, const QString &title,
                               const QString &subtitle, QWidget *parent)
    : QWidget(parent)
    , m_eyebrow(new VevoText(appearance, eyebrow.toUpper(), Vevo::liveInk, 11, QFont::DemiBold))
    , m_title(new VevoText(appearance, title, Vevo::textStrong, 24, QFont::Bold))
    , m_subtitle(new VevoText(appearance, subtitle, Vevo::textMuted, 13))
    , m_actions(new QHBoxLayout)
{
    m_eyebrow->setAccessibleName(eyebrow);
    m_subtitle->setWrapping(true);

    auto *text = new QVBoxLayout;
    text->setSpacing(Vevo::Space::xxs);
    text->addWidget(m_eyebrow);
    text->addWidget(m_title);
    text->addWidget(m_subtitle);
    m_actions->setSpacing(Vevo::Space::sm);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(Vevo::Space::lg);
    row->addLayout(text, 1);
    row->addLayout(m_actions);
    row->setAlignment(m_actions, Qt::AlignBottom);
    // Only now that the layout has made them children: shown before, each
    // would open as a window of its own.
    m_eyebrow->setVisible(!eyebrow.isEmpty());
    m_subtitle->setVisible(!subtitle.isEmpty());
}

VevoPageHeader::~VevoPageHeader() = default;

void VevoPageHeader::addAction(QWidget *action)
{
    m_actions->addWidget(action);
}
