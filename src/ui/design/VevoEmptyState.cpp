#include "ui/design/VevoEmptyState.h"

#include "ui/design/VevoColors.h"
#include "ui/design/VevoIconTile.h"
#include "ui/design/VevoIcons.h"
#include "ui/design/VevoMetrics.h"
#include "ui/design/VevoProgressBar.h"
#include "ui/design/VevoText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

VevoEmptyState::VevoEmptyState(VevoAppearance &appearance, const QString &title, const QString &message,
                               QWidget *parent)
    : QWidget(parent)
    , m_symbol(new VevoIconTile(appearance, {}, VevoTone::neutral, 40))
    , m_title(new VevoText(appearance, title, Vevo::textStrong, 15, QFont::DemiBold))
    , m_message(new VevoText(appearance, message, Vevo::textMuted, 13))
    , m_progress(new VevoProgressBar(appearance))
    , m_actions(new QHBoxLayout)
{
    m_symbol->hide();
    m_title->setHorizontalAlignment(Qt::AlignHCenter);
    m_message->setHorizontalAlignment(Qt::AlignHCenter);
    m_message->setWrapping(true);
    m_progress->setIndeterminate(true);
    m_progress->setFixedWidth(160);
    m_progress->hide();
    m_actions->setSpacing(Vevo::Space::sm);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(Vevo::Space::xl, Vevo::Space::xl, Vevo::Space::xl, Vevo::Space::xl);
    column->setSpacing(Vevo::Space::sm);
    column->addWidget(m_symbol, 0, Qt::AlignHCenter);
    column->addWidget(m_title);
    column->addWidget(m_message);
    column->addWidget(m_progress, 0, Qt::AlignHCenter);
    column->addSpacing(Vevo::Space::xs);
    column->addLayout(m_actions);
    column->setAlignment(m_actions, Qt::AlignHCenter);
}

VevoEmptyState::~VevoEmptyState() = default;

QString VevoEmptyState::symbol() const
{
    return m_symbol->symbol();
}

void VevoEmptyState::setSymbol(const QString &symbol)
{
    m_symbol->setSymbol(symbol);
    m_symbol->setVisible(Vevo::hasIcon(symbol));
}

bool VevoEmptyState::showsProgress() const
{
    return !m_progress->isHidden();
}

void VevoEmptyState::setShowsProgress(bool shows)
{
    m_progress->setVisible(shows);
}

void VevoEmptyState::addAction(QWidget *action)
{
    m_actions->addWidget(action);
}
