#include "ui/shell/PercentReadout.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int fontPixelSize = 26;
constexpr int frameMs = 1000 / 30;

QString percentText(double progress)
{
    const double clamped = std::isnan(progress) ? 0.0 : std::clamp(progress, 0.0, 1.0);
    return QString::number(static_cast<int>(std::floor(clamped * 100 + 1e-9))) + QLatin1Char('%');
}

} // namespace

PercentReadout::PercentReadout(VevoAppearance &appearance, QWidget *parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_pending(percentText(0))
    , m_shown(m_pending)
{
    QFont font = this->font();
    font.setPixelSize(fontPixelSize);
    font.setWeight(QFont::DemiBold);
    setFont(font);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(m_shown);
    m_frame.setSingleShot(true);
    m_frame.setInterval(frameMs);
    connect(&m_frame, &QTimer::timeout, this, &PercentReadout::showPending);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));
}

PercentReadout::~PercentReadout() = default;

void PercentReadout::setProgress(double progress)
{
    m_pending = percentText(progress);
    // The first change of a frame schedules it; later ones only replace the text.
    if (m_pending != m_shown && !m_frame.isActive())
        m_frame.start();
}

QSize PercentReadout::sizeHint() const
{
    // Room for "100%".
    const QFontMetricsF metrics(font());
    return {static_cast<int>(std::ceil(3 * digitWidth() + metrics.horizontalAdvance(QLatin1Char('%')))),
            static_cast<int>(std::ceil(metrics.height()))};
}

void PercentReadout::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(m_appearance.color(Vevo::textStrong));
    // Right-aligned, each digit centred in a cell of the widest digit.
    const QFontMetricsF metrics(font());
    const double cell = digitWidth();
    const double baseline = (height() + metrics.ascent() - metrics.descent()) / 2;
    double right = width() - metrics.horizontalAdvance(QLatin1Char('%'));
    painter.drawText(QPointF(right, baseline), QStringLiteral("%"));
    for (qsizetype index = m_shown.size() - 2; index >= 0; --index) {
        right -= cell;
        const QChar digit = m_shown.at(index);
        painter.drawText(QPointF(right + (cell - metrics.horizontalAdvance(digit)) / 2, baseline), QString(digit));
    }
}

void PercentReadout::showPending()
{
    m_shown = m_pending;
    setAccessibleName(m_shown);
    update();
}

double PercentReadout::digitWidth() const
{
    const QFontMetricsF metrics(font());
    double widest = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        widest = std::max(widest, metrics.horizontalAdvance(QLatin1Char(digit)));
    return widest;
}
