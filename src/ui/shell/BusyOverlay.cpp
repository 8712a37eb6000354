#include "ui/shell/BusyOverlay.h"

#include "base/OperationState.h"
#include "ui/design/VevoAnimation.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoBadge.h"
#include "ui/design/VevoCard.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoFlow.h"
#include "ui/design/VevoMotion.h"
#include "ui/design/VevoProgressBar.h"
#include "ui/design/VevoRowList.h"
#include "ui/design/VevoSymbol.h"
#include "ui/design/VevoText.h"
#include "ui/shell/PercentReadout.h"
#include "ui/shell/PhaseArtwork.h"
#include "ui/shell/PhaseBadge.h"
#include "ui/shell/PhaseChip.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int barHeight = 8;
constexpr int shadowSteps = 14;

} // namespace

BusyOverlay::BusyOverlay(OperationState &operation, VevoAppearance &appearance, QWidget *parent)
    : QWidget(parent)
    , m_operation(operation)
    , m_appearance(appearance)
    , m_card(new VevoCard(appearance, VevoSurface::raised, Vevo::Space::xl, this))
    , m_fade(new VevoAnimation(
          *this, appearance, Vevo::Motion::standard, [this](double opacity) { applyOpacity(opacity); }, 0))
{
    setObjectName(QStringLiteral("busyOverlay"));
    m_card->setObjectName(QStringLiteral("busyCard"));
    QVBoxLayout *column = m_card->column();
    column->setSpacing(Vevo::Space::lg);
    column->addWidget(createHeading(appearance));
    m_bar = new VevoProgressBar(appearance);
    m_bar->setObjectName(QStringLiteral("busyProgress"));
    m_bar->setBarHeight(barHeight);
    column->addWidget(m_bar);
    column->addWidget(createPhaseRow(appearance));
    column->addWidget(new VevoDivider(appearance));
    column->addWidget(createFooter(appearance));

    auto *fade = new QGraphicsOpacityEffect(this);
    fade->setOpacity(0);
    setGraphicsEffect(fade);
    hide();

    connect(&m_operation, &OperationState::isBusyChanged, this, &BusyOverlay::followBusy);
    connect(&m_operation, &OperationState::installerPhaseChanged, this, &BusyOverlay::followPhase);
    connect(&m_operation, &OperationState::activityChanged, this,
            [this] { m_activity->setText(m_operation.activity()); });
    for (const auto signal : {&OperationState::progressChanged, &OperationState::progressIsIndeterminateChanged})
        connect(&m_operation, signal, this, &BusyOverlay::followProgress);
    for (const auto signal : {&OperationState::progressDetailChanged, &OperationState::progressStalledChanged})
        connect(&m_operation, signal, this, &BusyOverlay::followDetail);
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, qOverload<>(&QWidget::update));

    m_activity->setText(m_operation.activity());
    followPhase();
    followProgress();
    followDetail();
    followBusy();
}

BusyOverlay::~BusyOverlay() = default;

void BusyOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), m_appearance.color(Vevo::scrim));

    // A soft shadow: rings of fading darkness spreading out from the card.
    const QColor far = m_appearance.color(Vevo::floatFar);
    painter.setPen(Qt::NoPen);
    for (int step = shadowSteps; step > 0; --step) {
        QColor shade = far;
        const double fade = 1.0 - static_cast<double>(step) / (shadowSteps + 1);
        shade.setAlphaF(far.alphaF() * fade * fade / shadowSteps * 3);
        painter.setBrush(shade);
        const QRectF ring = QRectF(m_card->geometry()).adjusted(-step, -step + step / 2.0, step, step + step / 2.0);
        painter.drawRoundedRect(ring, Vevo::Radius::panel + step, Vevo::Radius::panel + step);
    }
}

void BusyOverlay::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeCard();
}

QWidget *BusyOverlay::createHeading(VevoAppearance &appearance)
{
    auto *heading = new QWidget;
    auto *row = new QHBoxLayout(heading);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(Vevo::Space::lg);
    m_badge = new PhaseBadge(appearance);
    m_badge->setObjectName(QStringLiteral("phaseBadge"));
    row->addWidget(m_badge, 0, Qt::AlignTop);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(Vevo::Space::xxs);
    auto *eyebrow = new QHBoxLayout;
    eyebrow->setSpacing(Vevo::Space::sm);
    m_phaseTitle = new VevoText(appearance, {}, Vevo::liveInk, 11, QFont::DemiBold);
    m_stallMark = new VevoBadge(appearance, QStringLiteral("Stalled"), VevoTone::warn);
    m_stallMark->setObjectName(QStringLiteral("stallMark"));
    m_stallMark->setDot(true);
    eyebrow->addWidget(m_phaseTitle);
    eyebrow->addWidget(m_stallMark);
    eyebrow->addStretch();
    texts->addLayout(eyebrow);
    m_activity = new VevoText(appearance, {}, Vevo::textStrong, 17, QFont::DemiBold);
    m_activity->setObjectName(QStringLiteral("busyActivity"));
    m_detail = new VevoText(appearance, {}, Vevo::textMuted, 13);
    m_detail->setObjectName(QStringLiteral("busyDetail"));
    texts->addWidget(m_activity);
    texts->addWidget(m_detail);
    row->addLayout(texts, 1);

    m_readout = new PercentReadout(appearance);
    m_readout->setObjectName(QStringLiteral("busyReadout"));
    row->addWidget(m_readout, 0, Qt::AlignTop);
    return heading;
}

QWidget *BusyOverlay::createPhaseRow(VevoAppearance &appearance)
{
    auto *phases = new QWidget;
    auto *flow = new VevoFlow(phases);
    flow->setContentsMargins(0, 0, 0, 0);
    flow->setSpacing(Vevo::Space::xs);
    flow->setRowSpacing(Vevo::Space::xs);
    for (std::size_t index = 0; index < allInstallerPhases.size(); ++index) {
        auto *chip = new PhaseChip(appearance, allInstallerPhases.at(index));
        flow->addWidget(chip);
        m_chips.at(index) = chip;
    }
    return phases;
}

QWidget *BusyOverlay::createFooter(VevoAppearance &appearance)
{
    auto *footer = new QWidget;
    auto *row = new QHBoxLayout(footer);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(Vevo::Space::sm);
    row->addWidget(new VevoSymbol(appearance, QStringLiteral("bolt.horizontal.circle"), Vevo::textMuted, 14), 0,
                   Qt::AlignTop);
    auto *note = new VevoText(
        appearance, QStringLiteral("Keep Tarnhold open. Downloads and file verification continue automatically."),
        Vevo::textMuted, 12);
    note->setWrapping(true);
    row->addWidget(note, 1);
    return footer;
}

void BusyOverlay::followBusy()
{
    const bool showing = m_operation.isBusy();
    if (showing) {
        placeCard();
        show();
        raise();
    }
    m_fade->animateTo(showing ? 1 : 0);
    // A fade that never got under way has nothing to fade out.
    if (!showing && m_fade->value() <= 0)
        hide();
}

void BusyOverlay::followPhase()
{
    const InstallerPhase phase = m_operation.installerPhase();
    m_badge->setPhase(phase);
    m_phaseTitle->setText(phaseTitle(phase).toUpper());
    for (PhaseChip *chip : m_chips)
        chip->follow(phase);
}

void BusyOverlay::followProgress()
{
    m_bar->setProgress(m_operation.progress());
    m_bar->setIndeterminate(m_operation.progressIsIndeterminate());
    m_readout->setProgress(m_operation.progress());
    // A fraction means nothing while the amount of work is unknown.
    m_readout->setVisible(!m_operation.progressIsIndeterminate());
}

void BusyOverlay::followDetail()
{
    const std::optional<QString> detail = m_operation.progressDetail();
    m_detail->setText(detail.value_or(QString()));
    m_detail->setVisible(detail.has_value());
    const bool stalled = m_operation.progressStalled();
    m_stallMark->setVisible(stalled);
    m_detail->setRole(stalled ? Vevo::warn : Vevo::textMuted);
    // A hidden overlay places its card as it shows; measuring the card now
    // would load fonts that the window's first frame does not use.
    if (!isHidden())
        placeCard();
}

void BusyOverlay::placeCard()
{
    const int width = std::min(cardWidth, this->width() - 2 * Vevo::Space::xl);
    const int height = m_card->hasHeightForWidth() ? m_card->heightForWidth(width) : m_card->sizeHint().height();
    m_card->setGeometry((this->width() - width) / 2, (this->height() - height) / 2, width, height);
}

void BusyOverlay::applyOpacity(double opacity)
{
    auto *effect = static_cast<QGraphicsOpacityEffect *>(graphicsEffect());
    effect->setOpacity(opacity);
    // At rest the effect would only cost an extra offscreen pass.
    effect->setEnabled(opacity < 1);
    if (opacity <= 0 && !m_operation.isBusy())
        hide();
}
