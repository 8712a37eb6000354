#include "support/FakePlatform.h"
#include "support/Screenshots.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoBadge.h"
#include "ui/design/VevoButton.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoIconTile.h"
#include "ui/design/VevoIcons.h"
#include "ui/design/VevoProgressBar.h"
#include "ui/design/VevoStatusDot.h"
#include "ui/design/VevoSymbol.h"
#include "ui/design/VevoTextInput.h"

#include <gtest/gtest.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace {

class BrandMark final : public QWidget
{
public:
    explicit BrandMark(int size) { setFixedSize(size, size); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        Vevo::paintBrandMark(painter, rect());
    }
};

QHBoxLayout *addRow(QGridLayout *grid, int line)
{
    auto *layout = new QHBoxLayout;
    layout->setSpacing(Vevo::Space::sm);
    grid->addLayout(layout, line, 0, 1, 4);
    return layout;
}

// Icons as the screens use them: in buttons of every size, on tiles of
// every tone, in a field, each symbol alone, and the brand mark.
void addIcons(VevoAppearance &appearance, QGridLayout *grid, int line)
{
    for (VevoControlSize size : {VevoControlSize::sm, VevoControlSize::md, VevoControlSize::lg}) {
        QHBoxLayout *buttons = addRow(grid, line++);
        auto *launch = new VevoButton(appearance, QStringLiteral("Launch"), VevoButtonKind::primary, size);
        launch->setSymbol(QStringLiteral("play.fill"));
        auto *check = new VevoButton(appearance, QStringLiteral("Check Again"), VevoButtonKind::secondary, size);
        check->setSymbol(QStringLiteral("arrow.triangle.2.circlepath"));
        auto *details = new VevoButton(appearance, QStringLiteral("Details"), VevoButtonKind::outline, size);
        details->setTrailingSymbol(QStringLiteral("chevron.right"));
        auto *remove = new VevoButton(appearance, QStringLiteral("Remove"), VevoButtonKind::dangerQuiet, size);
        remove->setSymbol(QStringLiteral("stop.fill"));
        remove->setEnabled(false);
        for (VevoButton *button : {launch, check, details, remove})
            buttons->addWidget(button);
        buttons->addStretch();
    }
    QHBoxLayout *tiles = addRow(grid, line++);
    const char *symbols[] = {
        "arrow.down.circle", "checkmark.circle.fill", "exclamationmark.circle", "lock.shield", "globe", "shippingbox"};
    for (int tone = 0; tone <= static_cast<int>(VevoTone::neutral); ++tone)
        tiles->addWidget(new VevoIconTile(appearance, QString::fromUtf8(symbols[tone]), VevoTone(tone)));
    tiles->addWidget(new VevoIconTile(appearance, QStringLiteral("map.fill"), VevoTone::accent, 40));
    tiles->addStretch();
    tiles->addWidget(new BrandMark(28), 0, Qt::AlignBottom);
    tiles->addWidget(new BrandMark(48));

    QHBoxLayout *fields = addRow(grid, line++);
    auto *search = new VevoTextInput(appearance, QStringLiteral("Search maps"));
    search->setSymbol(QStringLiteral("magnifyingglass"));
    auto *account = new VevoTextInput(appearance, QStringLiteral("Steam account"));
    account->setSymbol(QStringLiteral("person"));
    account->setText(QStringLiteral("velmora_player"));
    fields->addWidget(search);
    fields->addWidget(account);

    QHBoxLayout *all = addRow(grid, line);
    for (const char *symbol : {"house.fill",
                               "wrench.and.screwdriver.fill",
                               "map.fill",
                               "arrow.triangle.2.circlepath",
                               "slider.horizontal.3",
                               "play.fill",
                               "stop.fill",
                               "arrow.down.circle",
                               "doc.text.magnifyingglass",
                               "checkmark.circle.fill",
                               "exclamationmark.circle",
                               "person",
                               "lock.shield",
                               "checkmark.shield",
                               "magnifyingglass",
                               "ellipsis",
                               "arrow.uturn.backward",
                               "chevron.right",
                               "bolt.horizontal.circle",
                               "checkmark",
                               "shippingbox",
                               "wineglass",
                               "arrow.down.to.line",
                               "globe",
                               "folder"})
        all->addWidget(new VevoSymbol(appearance, QString::fromUtf8(symbol), Vevo::text, 16));
    all->addStretch();
}

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
        addIcons(appearance, grid, row);
        // Larger than show() would pick on the small offscreen screen.
        card.resize(card.sizeHint().expandedTo(QSize(480, 0)));
        card.show();
        saveScreenshot(card, dark ? QStringLiteral("design-controls-dark") : QStringLiteral("design-controls-light"));
    }
}

} // namespace
