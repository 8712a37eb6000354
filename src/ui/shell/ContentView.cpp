#include "ui/shell/ContentView.h"

#include "app/TarnholdModel.h"
#include "ui/design/VevoAnimation.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoMetrics.h"
#include "ui/design/VevoMotion.h"
#include "ui/shell/BusyOverlay.h"
#include "ui/shell/SectionPlaceholder.h"
#include "ui/shell/Sidebar.h"

#include <QHBoxLayout>
#include <QPainter>

#include <cmath>

ContentView::ContentView(TarnholdModel &model, VevoAppearance &appearance, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_sidebar(new Sidebar(model, appearance))
    , m_detail(new SectionPlaceholder(model, appearance))
    , m_overlay(new BusyOverlay(model.operation(), appearance, this))
{
    setObjectName(QStringLiteral("contentView"));
    m_detail->setMinimumWidth(detailMinimumWidth);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_sidebar);
    row->addWidget(m_detail, 1);
    m_sidebar->setFixedWidth(Sidebar::sidebarWidth);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

ContentView::~ContentView() = default;

void ContentView::setFullScreen(bool fullScreen)
{
    m_sidebar->setFullScreen(fullScreen);
}

void ContentView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_appearance.color(Vevo::canvas));
}

void ContentView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_overlay->setGeometry(rect());
    followWidth();
}

void ContentView::followWidth()
{
    const bool collapsed = width() < VevoWindow::sidebarCollapseWidth;
    const double target = collapsed ? Sidebar::railWidth : Sidebar::sidebarWidth;
    if (!m_sidebarWidth) {
        // The first size is taken as it is; only later switches animate.
        m_sidebarWidth = new VevoAnimation(
            *this, m_appearance, Vevo::Motion::standard,
            [this](double width) { m_sidebar->setFixedWidth(static_cast<int>(std::lround(width))); }, target);
        m_sidebar->setFixedWidth(static_cast<int>(target));
        m_sidebar->setCollapsed(collapsed);
        return;
    }
    if (collapsed == m_sidebar->isCollapsed())
        return;
    m_sidebar->setCollapsed(collapsed);
    m_sidebarWidth->animateTo(target);
}
