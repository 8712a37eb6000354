#include "ui/design/VevoApplicationStyle.h"

#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"

#include <QApplication>
#include <QFontDatabase>
#include <QOperatingSystemVersion>
#include <QPalette>
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

} // namespace

namespace Vevo {

void styleApplication(VevoAppearance &appearance)
{
    if (QOperatingSystemVersion::currentType() != QOperatingSystemVersion::MacOS) {
        // Fusion draws the same on every desktop and takes the palette whole.
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
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
