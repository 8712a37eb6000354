#include "ui/design/VevoApplicationStyle.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoIcons.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIconEngine>
#include <QOperatingSystemVersion>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>

namespace {

constexpr int interfacePixelSize = 13;

QPalette palette(const VevoAppearance &appearance)
{
    const auto color = [&](const VevoRole &role) { return appearance.color(role); };
    QPalette palette;
    palette.setColor(QPalette::Window, color(Vevo::canvas));
    palette.setColor(QPalette::WindowText, color(Vevo::text));
    palette.setColor(QPalette::Base, color(Vevo::cell));
    palette.setColor(QPalette::AlternateBase, color(Vevo::sunken));
    palette.setColor(QPalette::Text, color(Vevo::text));
    palette.setColor(QPalette::PlaceholderText, color(Vevo::textFaint));
    palette.setColor(QPalette::Button, color(Vevo::fill));
    palette.setColor(QPalette::ButtonText, color(Vevo::textStrong));
    palette.setColor(QPalette::BrightText, color(Vevo::textStrong));
    palette.setColor(QPalette::Highlight, color(Vevo::live));
    palette.setColor(QPalette::HighlightedText, color(Vevo::onLive));
    palette.setColor(QPalette::ToolTipBase, color(Vevo::raised));
    palette.setColor(QPalette::ToolTipText, color(Vevo::text));
    palette.setColor(QPalette::Light, color(Vevo::fillHover));
    palette.setColor(QPalette::Midlight, color(Vevo::hairline));
    palette.setColor(QPalette::Mid, color(Vevo::line));
    palette.setColor(QPalette::Dark, color(Vevo::deep));
    palette.setColor(QPalette::Shadow, color(Vevo::floatFar));
    palette.setColor(QPalette::Link, color(Vevo::liveInk));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, color(Vevo::textFaint));
    palette.setColor(QPalette::Disabled, QPalette::Text, color(Vevo::textFaint));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, color(Vevo::textFaint));
    return palette;
}

// The chevron of the menu bar's extension button, drawn when it is shown.
class ExtensionIconEngine final : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const QPalette::ColorGroup group = mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
        Vevo::paintIcon(*painter, rect, QStringLiteral("chevron.right"),
                        QGuiApplication::palette().color(group, QPalette::ButtonText));
    }

    // Qt's own would paint onto a pixmap it never cleared.
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, pixmap.rect(), mode, state);
        return pixmap;
    }

    QIconEngine *clone() const override { return new ExtensionIconEngine; }
};

// Fusion, except that every menu bar's extension icon is the design's own:
// Fusion reads its PNG when the menu bar is made, and finding a reader for
// it loads every image format plugin installed before the window can show.
class VevoFusionStyle final : public QProxyStyle
{
public:
    VevoFusionStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {}

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        if (icon == SP_ToolBarHorizontalExtensionButton)
            return QIcon(new ExtensionIconEngine);
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

} // namespace

namespace Vevo {

void styleApplication(VevoAppearance &appearance)
{
    if (QOperatingSystemVersion::currentType() != QOperatingSystemVersion::MacOS) {
        // Fusion draws the same on every desktop and takes the palette whole.
        QApplication::setStyle(new VevoFusionStyle);
        if (QFontDatabase::families().contains(QStringLiteral("Inter"))) {
            QFont font(QStringLiteral("Inter"));
            font.setPixelSize(interfacePixelSize);
            QApplication::setFont(font);
        }
    }
    QApplication::setPalette(palette(appearance));
    QObject::connect(&appearance, &VevoAppearance::schemeChanged, qApp,
                     [&appearance] { QApplication::setPalette(palette(appearance)); });
}

} // namespace Vevo
