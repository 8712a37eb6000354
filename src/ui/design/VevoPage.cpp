#include "ui/design/VevoPage.h"

#include "ui/design/VevoMetrics.h"

#include <QResizeEvent>
#include <QVBoxLayout>

VevoPage::VevoPage(QWidget *parent)
    : QScrollArea(parent)
    , m_stage(new QWidget)
    , m_column(new QVBoxLayout)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The scroll area sizes the stage to the viewport, up to the stage's
    // maximum width, and centres it when the viewport is wider.
    setWidgetResizable(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto *stageLayout = new QVBoxLayout(m_stage);
    stageLayout->setContentsMargins(Vevo::Space::xxl, Vevo::Space::xl, Vevo::Space::xxl, Vevo::Space::xl);
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(Vevo::Space::xl);
    stageLayout->addLayout(m_column);
    // Content shorter than the window stays at the top instead of spreading
    // over the whole height.
    stageLayout->addStretch();
    setMaxWidth(defaultMaxWidth);
    setWidget(m_stage);
    // The scroll area fills both its viewport and its widget; the canvas
    // behind the page should show through instead.
    m_stage->setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
}

VevoPage::~VevoPage() = default;

int VevoPage::maxWidth() const
{
    return m_stage->maximumWidth() - sidePadding();
}

void VevoPage::setMaxWidth(int maxWidth)
{
    m_stage->setMaximumWidth(maxWidth + sidePadding());
}

int VevoPage::vevoWidth() const
{
    return m_stage->width() - sidePadding();
}

bool VevoPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_stage && event->type() == QEvent::Resize) {
        const auto *resize = static_cast<QResizeEvent *>(event);
        if (resize->size().width() != resize->oldSize().width())
            Q_EMIT vevoWidthChanged(vevoWidth());
    }
    return QScrollArea::eventFilter(watched, event);
}

int VevoPage::sidePadding() const
{
    const QMargins margins = m_stage->layout()->contentsMargins();
    return margins.left() + margins.right();
}
