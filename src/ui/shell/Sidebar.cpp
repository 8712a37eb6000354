#include "ui/shell/Sidebar.h"

#include "app/TarnholdModel.h"
#include "platform/SystemWording.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoMetrics.h"
#include "ui/design/VevoStatusDot.h"
#include "ui/design/VevoText.h"
#include "ui/shell/BrandMark.h"
#include "ui/shell/SidebarItem.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int brandMarkSize = 30;
constexpr int topInsetWithTitleBar = 44;

} // namespace

Sidebar::Sidebar(TarnholdModel &model, VevoAppearance &appearance, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_appearance(appearance)
    , m_column(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("sidebar"));
    m_column->setSpacing(2);
    m_column->addWidget(createBrandBlock(appearance));
    m_column->addSpacing(Vevo::Space::lg);

    for (std::size_t index = 0; index < allAppSections.size(); ++index) {
        const AppSection section = allAppSections.at(index);
        auto *item = new SidebarItem(appearance, section);
        connect(item, &SidebarItem::clicked, this, [this, section] { m_model.setSelectedSection(section); });
        m_column->addWidget(item);
        m_items.at(index) = item;
    }
    m_column->addStretch();
    m_column->addWidget(createStatusFooter(appearance));
    updateMargins();

    connect(&m_model, &TarnholdModel::selectedSectionChanged, this, &Sidebar::updateSelection);
    connect(&m_model, &TarnholdModel::statusChanged, this, &Sidebar::updateStatus);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
    updateSelection();
    updateStatus();
}

Sidebar::~Sidebar() = default;

void Sidebar::setCollapsed(bool collapsed)
{
    m_collapsed = collapsed;
    for (SidebarItem *item : m_items)
        item->setCollapsed(collapsed);
    for (QWidget *title : std::as_const(m_titles))
        title->setVisible(!collapsed);
    updateMargins();
}

void Sidebar::setFullScreen(bool fullScreen)
{
    m_fullScreen = fullScreen;
    updateMargins();
}

int Sidebar::topInset() const
{
    return m_fullScreen ? Vevo::Space::xl : topInsetWithTitleBar;
}

void Sidebar::updateStatus()
{
    const bool ready = m_model.isReady();
    m_statusDot->setTone(ready ? VevoTone::ok : VevoTone::warn);
    m_statusLine->setText(ready ? QStringLiteral("Installation healthy") : QStringLiteral("Install Velmora"));
    m_statusDot->setToolTip(m_statusLine->text());
    m_items.at(static_cast<std::size_t>(AppSection::updates))->setBadge(m_model.hasUpdate());
}

void Sidebar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_appearance.color(Vevo::sunken));
    painter.fillRect(QRect(width() - 1, 0, 1, height()), m_appearance.color(Vevo::hairline));
}

QWidget *Sidebar::createBrandBlock(VevoAppearance &appearance)
{
    auto *block = new QWidget;
    block->setObjectName(QStringLiteral("brandBlock"));
    block->setAccessibleName(systemWording(QStringLiteral("Tarnhold, Velmora for Mac")));
    auto *row = new QHBoxLayout(block);
    m_brandRow = row;
    row->setSpacing(Vevo::Space::sm + 2);
    row->addWidget(new BrandMark(brandMarkSize));

    auto *titles = new QWidget;
    auto *lines = new QVBoxLayout(titles);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(1);
    lines->addWidget(new VevoText(appearance, QStringLiteral("Tarnhold"), Vevo::textStrong, 15, QFont::Bold));
    lines->addWidget(new VevoText(appearance, systemWording(QStringLiteral("Velmora · Mac")), Vevo::textMuted, 11));
    row->addWidget(titles, 1);
    m_titles.append(titles);
    return block;
}

QWidget *Sidebar::createStatusFooter(VevoAppearance &appearance)
{
    auto *footer = new QWidget;
    footer->setObjectName(QStringLiteral("statusFooter"));
    auto *column = new QVBoxLayout(footer);
    m_footerColumn = column;
    column->setSpacing(Vevo::Space::xxs);

    auto *statusRow = new QHBoxLayout;
    statusRow->setSpacing(Vevo::Space::sm);
    m_statusDot = new VevoStatusDot(appearance);
    m_statusLine = new VevoText(appearance, {}, Vevo::text, 12, QFont::Medium);
    m_statusLine->setObjectName(QStringLiteral("statusLine"));
    statusRow->addWidget(m_statusDot, 0, Qt::AlignLeft | Qt::AlignVCenter);
    statusRow->addWidget(m_statusLine, 1);
    column->addLayout(statusRow);

    auto *details = new QWidget;
    auto *detailLines = new QVBoxLayout(details);
    // Under the status text, not under the dot.
    detailLines->setContentsMargins(m_statusDot->sizeHint().width() + Vevo::Space::sm, 0, 0, 0);
    detailLines->setSpacing(1);
    detailLines->addWidget(
        new VevoText(appearance, QStringLiteral("Free runtime · no CrossOver"), Vevo::textFaint, 11));
    detailLines->addWidget(
        new VevoText(appearance, QStringLiteral("v") + QStringLiteral(TARNHOLD_VERSION), Vevo::textFaint, 11));
    column->addWidget(details);
    m_titles.append(m_statusLine);
    m_titles.append(details);
    return footer;
}

void Sidebar::updateSelection()
{
    for (SidebarItem *item : m_items)
        item->setSelected(item->section() == m_model.selectedSection());
}

void Sidebar::updateMargins()
{
    const int side = m_collapsed ? Vevo::Space::sm + 2 : Vevo::Space::md;
    m_column->setContentsMargins(side, topInset(), side, Vevo::Space::lg);
    // In the rail the mark and the dot sit on the icons' centre line.
    const int itemWidth = railWidth - 2 * side;
    m_brandRow->setContentsMargins(m_collapsed ? (itemWidth - brandMarkSize) / 2 : Vevo::Space::xxs, 0, 0, 0);
    const int dotWidth = m_statusDot->sizeHint().width();
    m_footerColumn->setContentsMargins(m_collapsed ? (itemWidth - dotWidth) / 2 : Vevo::Space::sm, Vevo::Space::md, 0,
                                       0);
}
