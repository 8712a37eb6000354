#include "ui/design/VevoBadge.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoMetrics.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr int badgeHeight = 20;
constexpr int fontPixelSize = 11;
constexpr double dotDiameter = 6;

} // namespace

VevoBadge::VevoBadge(VevoAppearance &appearance, const QString &text, VevoTone tone, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_tone(tone)
{
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    setText(text);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

VevoBadge::~VevoBadge() = default;

void VevoBadge::setText(const QString &text)
{
    m_text = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

void VevoBadge::setTone(VevoTone tone)
{
    m_tone = tone;
    update();
}

void VevoBadge::setDot(bool dot)
{
    m_dot = dot;
    updateGeometry();
    update();
}

QSize VevoBadge::sizeHint() const
{
    // Rounded up: eliding compares the fractional advance with the width.
    const int label = static_cast<int>(std::ceil(QFontMetricsF(labelFont()).horizontalAdvance(m_text)));
    return {labelStart() + label + Vevo::Space::sm, badgeHeight};
}

QSize VevoBadge::minimumSizeHint() const
{
    return {labelStart() + badgeHeight, badgeHeight};
}

void VevoBadge::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF capsule(0, (height() - badgeHeight) / 2.0, width(), badgeHeight);
    painter.setBrush(m_appearance.color(Vevo::wash(m_tone)));
    painter.drawRoundedRect(capsule, badgeHeight / 2.0, badgeHeight / 2.0);

    const QColor ink = m_appearance.color(Vevo::ink(m_tone));
    if (m_dot) {
        painter.setBrush(ink);
        painter.drawEllipse(QPointF(Vevo::Space::sm + dotDiameter / 2, capsule.center().y()), dotDiameter / 2,
                            dotDiameter / 2);
    }
    painter.setFont(labelFont());
    painter.setPen(ink);
    const QRectF label = capsule.adjusted(labelStart(), 0, -Vevo::Space::sm, 0);
    painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(m_text, Qt::ElideRight, static_cast<int>(label.width())));
}

QFont VevoBadge::labelFont() const
{
    QFont font = this->font();
    font.setPixelSize(fontPixelSize);
    font.setWeight(QFont::DemiBold);
    return font;
}

int VevoBadge::labelStart() const
{
    return Vevo::Space::sm + (m_dot ? static_cast<int>(dotDiameter) + Vevo::Space::xxs : 0);
}
