#include "ui/design/VevoDisclosure.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoIcons.h"
#include "ui/design/VevoMetrics.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int chevronBox = 16;
constexpr int afterChevron = chevronBox + Vevo::Space::sm;
constexpr int symbolSize = 16;

} // namespace

VevoDisclosure::VevoDisclosure(VevoAppearance &appearance, const QString &title, QWidget *content, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_title(title)
    , m_content(content)
{
    installVevoAccessibility();
    setAccessibleName(title);
    setAccessibleDescription(QStringLiteral("Shows or hides details"));
    setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_content);
    placeContent();
    m_content->setVisible(false);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

VevoDisclosure::~VevoDisclosure() = default;

void VevoDisclosure::setSubtitle(const QString &subtitle)
{
    m_subtitle = subtitle;
    placeContent();
    update();
}

void VevoDisclosure::setSymbol(const QString &symbol)
{
    m_symbol = symbol;
    placeContent();
    update();
}

void VevoDisclosure::setExpanded(bool expanded)
{
    if (expanded == m_expanded)
        return;
    m_expanded = expanded;
    m_content->setVisible(expanded);
    update();
    QAccessibleValueChangeEvent event(this, accessibleValue());
    QAccessible::updateAccessibility(&event);
    Q_EMIT expandedChanged(expanded);
}

QString VevoDisclosure::accessibleValue() const
{
    return m_expanded ? QStringLiteral("Expanded") : QStringLiteral("Collapsed");
}

QSize VevoDisclosure::minimumSizeHint() const
{
    // Titles elide, so only the chevron and a little text need room.
    return QWidget::minimumSizeHint().expandedTo({afterChevron + 4 * chevronBox, headerHeight()});
}

void VevoDisclosure::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int header = headerHeight();
    const double centreY = QFontMetricsF(titleFont()).height() / 2 + Vevo::Space::xs;

    // The chevron points right when collapsed and down when expanded.
    painter.save();
    painter.translate(chevronBox / 2.0, centreY);
    painter.rotate(m_expanded ? 90 : 0);
    Vevo::paintIcon(painter, QRectF(-chevronBox / 2.0, -chevronBox / 2.0, chevronBox, chevronBox),
                    QStringLiteral("chevron.right"), m_appearance.color(Vevo::textMuted));
    painter.restore();
    if (!m_symbol.isEmpty())
        Vevo::paintIcon(painter, QRectF(afterChevron, centreY - symbolSize / 2.0, symbolSize, symbolSize), m_symbol,
                        m_appearance.color(Vevo::textMuted));

    const int textLeft = titleStart();
    const int textWidth = width() - textLeft;
    painter.setFont(titleFont());
    painter.setPen(m_appearance.color(Vevo::textStrong));
    const int titleHeight = painter.fontMetrics().height();
    painter.drawText(QRect(textLeft, Vevo::Space::xs, textWidth, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(m_title, Qt::ElideRight, textWidth));
    if (!m_subtitle.isEmpty()) {
        painter.setFont(subtitleFont());
        painter.setPen(m_appearance.color(Vevo::textMuted));
        const int top = Vevo::Space::xs + titleHeight;
        painter.drawText(QRect(textLeft, top, textWidth, header - top - Vevo::Space::xs),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(m_subtitle, Qt::ElideRight, textWidth));
    }
    if (showsKeyboardFocus(*this)) {
        painter.setPen(QPen(m_appearance.color(Vevo::liveLine), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(0.75, 0.75, width() - 1.5, header - 1.5), Vevo::Radius::control,
                                Vevo::Radius::control);
    }
}

void VevoDisclosure::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && event->position().y() < headerHeight())
        toggle();
    else
        QWidget::mouseReleaseEvent(event);
}

void VevoDisclosure::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        toggle();
    else
        QWidget::keyPressEvent(event);
}

int VevoDisclosure::titleStart() const
{
    return afterChevron + (m_symbol.isEmpty() ? 0 : symbolSize + Vevo::Space::sm);
}

// The content lines up with the title.
void VevoDisclosure::placeContent()
{
    layout()->setContentsMargins(titleStart(), headerHeight() + Vevo::Space::xxs, 0, 0);
}

int VevoDisclosure::headerHeight() const
{
    const int subtitle = m_subtitle.isEmpty() ? 0 : QFontMetrics(subtitleFont()).height();
    return Vevo::Space::xs + QFontMetrics(titleFont()).height() + subtitle + Vevo::Space::xs;
}

QFont VevoDisclosure::titleFont() const
{
    QFont font = this->font();
    font.setPixelSize(13);
    font.setWeight(QFont::DemiBold);
    return font;
}

QFont VevoDisclosure::subtitleFont() const
{
    QFont font = this->font();
    font.setPixelSize(12);
    return font;
}
