#include "ui/design/VevoKbd.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoMetrics.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int keyHeight = 20;
// The key's lower edge is thicker, as if it stood up from the surface.
constexpr int keyDepth = 2;

} // namespace

VevoKbd::VevoKbd(VevoAppearance &appearance, const QString &text, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_text(text)
{
    setAccessibleName(text);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

VevoKbd::~VevoKbd() = default;

QSize VevoKbd::sizeHint() const
{
    const int label = static_cast<int>(std::ceil(QFontMetricsF(keyFont()).horizontalAdvance(m_text)));
    return {std::max(keyHeight, label + 2 * Vevo::Space::xs), keyHeight};
}

void VevoKbd::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF key(0, 0, width(), height());
    painter.setBrush(m_appearance.color(Vevo::line));
    painter.drawRoundedRect(key, 4, 4);
    painter.setBrush(m_appearance.color(Vevo::fill));
    const QRectF face = key.adjusted(1, 1, -1, -keyDepth);
    painter.drawRoundedRect(face, 3, 3);
    painter.setFont(keyFont());
    painter.setPen(m_appearance.color(Vevo::text));
    painter.drawText(face, Qt::AlignCenter,
                     painter.fontMetrics().elidedText(m_text, Qt::ElideRight, width() - 2 * Vevo::Space::xxs));
}

QFont VevoKbd::keyFont() const
{
    QFont font = this->font();
    font.setPixelSize(11);
    font.setWeight(QFont::Medium);
    return font;
}
