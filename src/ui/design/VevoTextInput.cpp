#include "ui/design/VevoTextInput.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoIcons.h"
#include "ui/design/VevoMetrics.h"

#include <QPainter>

namespace {

constexpr VevoControlMetrics inputMetrics = metrics(VevoControlSize::md);
constexpr int iconSize = 16;

} // namespace

VevoTextInput::VevoTextInput(VevoAppearance &appearance, const QString &placeholder, QWidget *parent)
    : QLineEdit(parent)
    , m_appearance(appearance)
{
    setFrame(false);
    setPlaceholderText(placeholder);
    setAccessibleName(placeholder);
    setTextMargins(Vevo::Space::sm, 0, Vevo::Space::sm, 0);
    setFixedHeight(inputMetrics.height);
    QFont font = this->font();
    font.setPixelSize(inputMetrics.fontPixelSize);
    setFont(font);
    applyScheme();
    connect(&m_appearance, &VevoAppearance::schemeChanged, this, &VevoTextInput::applyScheme);
}

VevoTextInput::~VevoTextInput() = default;

void VevoTextInput::setSecure(bool secure)
{
    setEchoMode(secure ? QLineEdit::Password : QLineEdit::Normal);
}

void VevoTextInput::setEmphasised(bool emphasised)
{
    m_emphasised = emphasised;
    update();
}

void VevoTextInput::setSymbol(const QString &symbol)
{
    m_symbol = symbol;
    const int icon = Vevo::hasIcon(symbol) ? iconSize + Vevo::Space::xs : 0;
    setTextMargins(Vevo::Space::sm + icon, 0, Vevo::Space::sm, 0);
    update();
}

QSize VevoTextInput::sizeHint() const
{
    return {240, inputMetrics.height};
}

void VevoTextInput::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const bool accented = hasFocus() || m_emphasised;
        painter.setPen(QPen(m_appearance.color(accented ? Vevo::liveLine : Vevo::line), accented ? 1.5 : 1));
        painter.setBrush(m_appearance.color(Vevo::sunken));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), Vevo::Radius::control,
                                Vevo::Radius::control);
        Vevo::paintIcon(painter, QRectF(Vevo::Space::sm, (height() - iconSize) / 2, iconSize, iconSize), m_symbol,
                        m_appearance.color(Vevo::textMuted));
    }
    QLineEdit::paintEvent(event);
}

// The well is painted above, so the line edit's own base stays clear.
void VevoTextInput::applyScheme()
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, m_appearance.color(Vevo::text));
    palette.setColor(QPalette::PlaceholderText, m_appearance.color(Vevo::textFaint));
    palette.setColor(QPalette::Highlight, m_appearance.color(Vevo::live));
    palette.setColor(QPalette::HighlightedText, m_appearance.color(Vevo::onLive));
    setPalette(palette);
    update();
}
