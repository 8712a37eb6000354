#include "ui/design/VevoText.h"

#include "ui/design/VevoAppearance.h"

#include <QPainter>

#include <climits>
#include <cmath>

VevoText::VevoText(VevoAppearance &appearance, const QString &text, const VevoRole &role, int pixelSize,
                   QFont::Weight weight, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_role(&role)
{
    QFont font = this->font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    setFont(font);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setText(text);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

VevoText::~VevoText() = default;

void VevoText::setText(const QString &text)
{
    m_text = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

void VevoText::setRole(const VevoRole &role)
{
    m_role = &role;
    update();
}

void VevoText::setWrapping(bool wrapping)
{
    m_wrapping = wrapping;
    // A fixed height would hold a wrapping text to its first line.
    QSizePolicy policy(QSizePolicy::Preferred, wrapping ? QSizePolicy::Preferred : QSizePolicy::Fixed);
    policy.setHeightForWidth(wrapping);
    setSizePolicy(policy);
    updateGeometry();
    update();
}

void VevoText::setHorizontalAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

QString VevoText::shownText() const
{
    return m_wrapping ? m_text : fontMetrics().elidedText(m_text, Qt::ElideRight, width());
}

QSize VevoText::sizeHint() const
{
    // Rounded up: eliding compares the fractional advance with the width.
    const int advance = static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(m_text)));
    return {advance, fontMetrics().height()};
}

QSize VevoText::minimumSizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral("…")), fontMetrics().height()};
}

int VevoText::heightForWidth(int width) const
{
    if (!m_wrapping)
        return fontMetrics().height();
    return fontMetrics().boundingRect(QRect(0, 0, width, INT_MAX), Qt::TextWordWrap, m_text).height();
}

void VevoText::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(m_appearance.color(*m_role));
    const Qt::Alignment alignment = m_alignment | (m_wrapping ? Qt::AlignTop : Qt::AlignVCenter);
    painter.drawText(rect(), alignment.toInt() | (m_wrapping ? Qt::TextWordWrap : 0), shownText());
}
