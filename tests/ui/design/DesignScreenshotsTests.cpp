#include "support/FakePlatform.h"
#include "support/Screenshots.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoBadge.h"
#include "ui/design/VevoButton.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoProgressBar.h"
#include "ui/design/VevoStatusDot.h"

#include <gtest/gtest.h>

#include <QGridLayout>
#include <QLabel>

namespace {

// Every control in every state on the canvas, for a person to judge.
TEST(Design, Screenshots)
{
    const std::pair<VevoButtonKind, const char *> kinds[] = {
        {VevoButtonKind::primary, "Launch"},     {VevoButtonKind::secondary, "Check Again"},
        {VevoButtonKind::outline, "Open Logs"},  {VevoButtonKind::ghost, "Cancel"},
        {VevoButtonKind::destructive, "Remove"}, {VevoButtonKind::dangerQuiet, "Uninstall…"}};
    const char *tones[] = {"Accent", "Healthy", "Needs repair", "Missing", "Update available", "Not installed"};
    FakePlatform platform;
    platform.reducedMotion = true;
    for (bool dark : {false, true}) {
        platform.darkAppearance = dark;
        VevoAppearance appearance(platform);
        QWidget card;
        card.setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, appearance.color(Vevo::canvas));
        palette.setColor(QPalette::WindowText, appearance.color(Vevo::textMuted));
        card.setPalette(palette);
        auto *grid = new QGridLayout(&card);
        grid->setContentsMargins(Vevo::Space::xl, Vevo::Space::xl, Vevo::Space::xl, Vevo::Space::xl);
        grid->setSpacing(Vevo::Space::md);
        int row = 0;
        for (const auto &[kind, title] : kinds) {
            int column = 0;
            for (VevoControlSize size : {VevoControlSize::sm, VevoControlSize::md, VevoControlSize::lg})
                grid->addWidget(new VevoButton(appearance, QString::fromUtf8(title), kind, size), row, column++);
            auto *disabled = new VevoButton(appearance, QString::fromUtf8(title), kind);
            disabled->setEnabled(false);
            grid->addWidget(disabled, row++, column);
        }
        for (int tone = 0; tone <= static_cast<int>(VevoTone::neutral); ++tone, ++row) {
            grid->addWidget(new VevoStatusDot(appearance, VevoTone(tone)), row, 0, Qt::AlignCenter);
            grid->addWidget(new VevoBadge(appearance, QString::fromUtf8(tones[tone]), VevoTone(tone)), row, 1);
            auto *dotted = new VevoBadge(appearance, QString::fromUtf8(tones[tone]), VevoTone(tone));
            dotted->setDot(true);
            grid->addWidget(dotted, row, 2);
        }
        for (const double progress : {0.0, 0.02, 0.42, 1.0, -1.0}) {
            auto *bar = new VevoProgressBar(appearance);
            bar->setProgress(progress);
            bar->setIndeterminate(progress < 0);
            bar->setBarHeight(progress == 0.42 ? 12 : 6);
            grid->addWidget(new QLabel(bar->accessibleValue()), row, 0);
            grid->addWidget(bar, row++, 1, 1, 3);
        }
        // Larger than show() would pick on the small offscreen screen.
        card.resize(card.sizeHint().expandedTo(QSize(480, 0)));
        card.show();
        saveScreenshot(card, dark ? QStringLiteral("design-controls-dark") : QStringLiteral("design-controls-light"));
    }
}

} // namespace
