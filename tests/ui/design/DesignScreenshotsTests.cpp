#include "support/FakePlatform.h"
#include "support/Screenshots.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoBadge.h"
#include "ui/design/VevoButton.h"
#include "ui/design/VevoCard.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoDisclosure.h"
#include "ui/design/VevoEmptyState.h"
#include "ui/design/VevoFlow.h"
#include "ui/design/VevoIconTile.h"
#include "ui/design/VevoInfoLine.h"
#include "ui/design/VevoKbd.h"
#include "ui/design/VevoPage.h"
#include "ui/design/VevoPageHeader.h"
#include "ui/design/VevoProgressBar.h"
#include "ui/design/VevoRowList.h"
#include "ui/design/VevoSectionLabel.h"
#include "ui/design/VevoSettingRow.h"
#include "ui/design/VevoSplit.h"
#include "ui/design/VevoStatusDot.h"
#include "ui/design/VevoSymbol.h"
#include "ui/design/VevoText.h"
#include "ui/design/VevoTextInput.h"
#include "ui/shell/BrandMark.h"

#include <gtest/gtest.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <tuple>

namespace {

using Build = void (*)(VevoAppearance &, QWidget &canvas);

const std::tuple<VevoButtonKind, const char *, const char *, const char *> kinds[] = {
    {VevoButtonKind::primary, "Launch", "play.fill", ""},      {VevoButtonKind::secondary, "Check Again", "", ""},
    {VevoButtonKind::outline, "Details", "", "chevron.right"}, {VevoButtonKind::ghost, "Cancel", "", ""},
    {VevoButtonKind::destructive, "Remove", "", ""},           {VevoButtonKind::dangerQuiet, "Uninstall…", "", ""}};
const char *const tones[] = {"Accent", "Healthy", "Needs repair", "Missing", "Update available", "Not installed"};
// Every symbol the screens use.
const QStringList symbols =
    QStringLiteral(
        "house.fill wrench.and.screwdriver.fill map.fill arrow.triangle.2.circlepath slider.horizontal.3 play.fill "
        "stop.fill arrow.down.circle doc.text.magnifyingglass checkmark.circle.fill exclamationmark.circle person "
        "lock.shield checkmark.shield magnifyingglass ellipsis arrow.uturn.backward chevron.right "
        "bolt.horizontal.circle checkmark shippingbox wineglass arrow.down.to.line globe folder")
        .split(QLatin1Char(' '));
const char *const tags[] = {"Ranked", "2 players", "Community", "A map whose name is far too long for any row",
                            "Beta",   "Desert",    "New"};

// Every control in every state.
void controls(VevoAppearance &appearance, QWidget &canvas)
{
    auto *grid = new QGridLayout(&canvas);
    grid->setContentsMargins(Vevo::Space::xl, Vevo::Space::xl, Vevo::Space::xl, Vevo::Space::xl);
    grid->setSpacing(Vevo::Space::md);
    int row = 0;
    // Each kind small, medium, large and disabled; an icon leads a launch and
    // trails details.
    for (const auto &[kind, title, leading, trailing] : kinds) {
        for (int column = 0; column < 4; ++column) {
            auto *button =
                new VevoButton(appearance, QString::fromUtf8(title), kind, VevoControlSize(column < 3 ? column : 1));
            button->setSymbol(QString::fromUtf8(leading));
            button->setTrailingSymbol(QString::fromUtf8(trailing));
            button->setEnabled(column < 3);
            grid->addWidget(button, row, column);
        }
        ++row;
    }
    for (int tone = 0; tone <= static_cast<int>(VevoTone::neutral); ++tone, ++row) {
        auto *dotted = new VevoBadge(appearance, QString::fromUtf8(tones[tone]), VevoTone(tone));
        dotted->setDot(true);
        grid->addWidget(new VevoStatusDot(appearance, VevoTone(tone)), row, 0, Qt::AlignCenter);
        grid->addWidget(new VevoBadge(appearance, QString::fromUtf8(tones[tone]), VevoTone(tone)), row, 1);
        grid->addWidget(dotted, row, 2);
        grid->addWidget(new VevoIconTile(appearance, symbols[tone], VevoTone(tone)), row, 3);
    }
    for (const double progress : {0.0, 0.02, 0.42, 1.0, -1.0}) {
        auto *bar = new VevoProgressBar(appearance);
        bar->setProgress(progress);
        bar->setIndeterminate(progress < 0);
        bar->setBarHeight(progress == 0.42 ? 12 : 6);
        grid->addWidget(new VevoText(appearance, bar->accessibleValue(), Vevo::textMuted, 12), row, 0);
        grid->addWidget(bar, row++, 1, 1, 3);
    }

    auto *fields = new QHBoxLayout;
    grid->addLayout(fields, row++, 0, 1, 4);
    auto *search = new VevoTextInput(appearance, QStringLiteral("Search maps"));
    search->setSymbol(QStringLiteral("magnifyingglass"));
    auto *account = new VevoTextInput(appearance, QStringLiteral("Steam account"));
    account->setSymbol(QStringLiteral("person"));
    account->setText(QStringLiteral("velmora_player"));
    auto *password = new VevoTextInput(appearance, QStringLiteral("Password"));
    password->setSecure(true);
    password->setText(QStringLiteral("hunter2"));
    for (QWidget *widget : {search, account, password})
        fields->addWidget(widget);
    fields->addWidget(new VevoKbd(appearance, QStringLiteral("Ctrl")));
    fields->addWidget(new VevoKbd(appearance, QStringLiteral("F")));

    auto *icons = new QHBoxLayout;
    grid->addLayout(icons, row, 0, 1, 4);
    for (const QString &symbol : symbols)
        icons->addWidget(new VevoSymbol(appearance, symbol, Vevo::text, 16));
    icons->addStretch();
    icons->addWidget(new BrandMark(28), 0, Qt::AlignBottom);
    icons->addWidget(new BrandMark(48));
}

// A settings page with every layout piece.
void settingsPage(VevoAppearance &appearance, QWidget &canvas)
{
    auto *page = new VevoPage;
    (new QVBoxLayout(&canvas))->addWidget(page);
    canvas.layout()->setContentsMargins(0, 0, 0, 0);
    const auto card = [&](QWidget *content, VevoSurface surface = VevoSurface::raised, int padding = Vevo::Space::lg) {
        auto *card = new VevoCard(appearance, surface, padding);
        card->column()->addWidget(content);
        return card;
    };
    auto *header = new VevoPageHeader(appearance, QStringLiteral("Settings"), QStringLiteral("Game and Wine"),
                                      QStringLiteral("Where the game lives and how it starts."));
    header->addAction(new VevoButton(appearance, QStringLiteral("Open Logs"), VevoButtonKind::outline));
    page->column()->addWidget(header);

    auto *rows = new VevoRowList(appearance);
    rows->addRow(
        new VevoSettingRow(appearance, QStringLiteral("Game folder"),
                           QStringLiteral("The game folder could not be found at its usual place in the Wine prefix"),
                           new VevoButton(appearance, QStringLiteral("Change…"))));
    rows->addRow(new VevoSettingRow(appearance, QStringLiteral("Wine"), QStringLiteral("Version 9.0 · 64-bit"),
                                    new VevoBadge(appearance, QStringLiteral("Healthy"), VevoTone::ok)));
    auto *section = new QVBoxLayout;
    section->setSpacing(Vevo::Space::sm);
    section->addWidget(new VevoSectionLabel(appearance, QStringLiteral("Installation")));
    section->addWidget(card(rows));
    page->column()->addLayout(section);

    auto *update = new VevoInfoLine(appearance, QStringLiteral("Update available"),
                                    QStringLiteral("Version 2.4 is ready to download."));
    update->setSymbol(QStringLiteral("arrow.down.circle"));
    VevoCard *tinted = card(update);
    tinted->setSurface(VevoSurface::tinted, VevoTone::info);
    page->column()->addWidget(tinted);

    auto *disclosure = new VevoDisclosure(
        appearance, QStringLiteral("Advanced"),
        new VevoInfoLine(appearance, QStringLiteral("Wine prefix"), QStringLiteral("~/Library/Tarnhold/prefix")));
    disclosure->setSubtitle(QStringLiteral("Prefix, logs and diagnostics"));
    disclosure->setSymbol(QStringLiteral("slider.horizontal.3"));
    disclosure->setExpanded(true);
    auto *flow = new VevoFlow;
    int tone = 0;
    for (const char *tag : tags)
        flow->addWidget(new VevoBadge(appearance, QString::fromUtf8(tag), VevoTone(tone++ % 6)));
    VevoCard *filters = card(new VevoSectionLabel(appearance, QStringLiteral("Tags")), VevoSurface::well);
    filters->column()->addLayout(flow);
    auto *split = new VevoSplit;
    split->addWidget(card(disclosure));
    split->addWidget(filters);
    page->column()->addLayout(split);

    auto *empty = new VevoEmptyState(appearance, QStringLiteral("No maps yet"),
                                     QStringLiteral("Maps you download from the community appear here, ready to play "
                                                    "in any game you host."));
    empty->setSymbol(QStringLiteral("map.fill"));
    empty->setShowsProgress(true);
    empty->addAction(new VevoButton(appearance, QStringLiteral("Browse Maps"), VevoButtonKind::primary));
    page->column()->addWidget(card(empty, VevoSurface::well, 0));
}

// Builds on the window's canvas in either scheme, with motion reduced so
// nothing is caught mid-way, and saves it for a person to judge under the
// name with %1 replaced by the scheme. At least `size`: show() would pick
// less on the offscreen screen.
void screenshots(const QString &name, QSize size, Build build)
{
    FakePlatform platform;
    platform.reducedMotion = true;
    for (bool dark : {false, true}) {
        platform.darkAppearance = dark;
        VevoAppearance appearance(platform);
        QWidget canvas;
        canvas.setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, appearance.color(Vevo::canvas));
        canvas.setPalette(palette);
        build(appearance, canvas);
        canvas.resize(canvas.sizeHint().expandedTo(size));
        canvas.show();
        // Lets the page lay its column out at the final width.
        QCoreApplication::processEvents();
        saveScreenshot(canvas, name.arg(dark ? QStringLiteral("dark") : QStringLiteral("light")));
    }
}

// The page wide and in the narrowest window beside the sidebar.
TEST(Design, Screenshots)
{
    screenshots(QStringLiteral("design-controls-%1"), {480, 0}, controls);
    for (int width : {1200, 648})
        screenshots(QStringLiteral("design-page-%1-") + QString::number(width), {width, 800}, settingsPage);
}

} // namespace
