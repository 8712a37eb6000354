#include "DesignTest.h"
#include "support/Screenshots.h"
#include "ui/design/VevoBadge.h"
#include "ui/design/VevoButton.h"
#include "ui/design/VevoCard.h"
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

#include <QGridLayout>
#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// Every control in every state: each button kind small, medium, large and
// disabled (an icon leads the primary button and trails the outline one),
// each tone as dot, badge, dotted badge and tile, the bar at each stage, the
// fields and every symbol.
void buildControls(VevoAppearance &appearance, QWidget &canvas)
{
    const QStringList kinds = u"Launch|Check Again|Details|Cancel|Remove|Uninstall…"_s.split(u'|');
    const QStringList tones = u"Accent|Healthy|Needs repair|Missing|Update available|Not installed"_s.split(u'|');
    auto *grid = new QGridLayout(&canvas);
    grid->setContentsMargins(Vevo::Space::xl, Vevo::Space::xl, Vevo::Space::xl, Vevo::Space::xl);
    grid->setSpacing(Vevo::Space::md);
    int row = 0;
    for (; row < kinds.size(); ++row) {
        for (int column = 0; column < 4; ++column) {
            const auto kind = VevoButtonKind(row);
            auto *button = new VevoButton(appearance, kinds[row], kind, VevoControlSize(column < 3 ? column : 1));
            button->setSymbol(kind == VevoButtonKind::primary ? u"play.fill"_s : QString());
            button->setTrailingSymbol(kind == VevoButtonKind::outline ? u"chevron.right"_s : QString());
            button->setEnabled(column < 3);
            grid->addWidget(button, row, column);
        }
    }
    for (int tone = 0; tone < tones.size(); ++tone, ++row) {
        auto *dotted = new VevoBadge(appearance, tones[tone], VevoTone(tone));
        dotted->setDot(true);
        grid->addWidget(new VevoStatusDot(appearance, VevoTone(tone)), row, 0, Qt::AlignCenter);
        grid->addWidget(new VevoBadge(appearance, tones[tone], VevoTone(tone)), row, 1);
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
    auto *fields = new QHBoxLayout, *icons = new QHBoxLayout;
    const std::tuple<QString, QString, QString> inputs[] = {{u"Search maps"_s, u"magnifyingglass"_s, {}},
                                                            {u"Steam account"_s, u"person"_s, u"velmora_player"_s},
                                                            {u"Password"_s, {}, u"hunter2"_s}};
    for (const auto &[label, symbol, text] : inputs) {
        auto *input = new VevoTextInput(appearance, label);
        input->setSymbol(symbol);
        input->setText(text);
        input->setSecure(label == u"Password");
        fields->addWidget(input);
    }
    fields->addWidget(new VevoKbd(appearance, u"Ctrl"_s));
    fields->addWidget(new VevoKbd(appearance, u"F"_s));
    for (const QString &symbol : symbols)
        icons->addWidget(new VevoSymbol(appearance, symbol, Vevo::text, 20));
    icons->addStretch();
    grid->addLayout(fields, row++, 0, 1, 4);
    grid->addLayout(icons, row, 0, 1, 4);
}

} // namespace

// A settings page with every layout piece.
void buildSettingsPage(VevoAppearance &appearance, QWidget &canvas)
{
    auto *page = new VevoPage;
    (new QVBoxLayout(&canvas))->addWidget(page);
    canvas.layout()->setContentsMargins(0, 0, 0, 0);
    const auto card = [&](QWidget *content, VevoSurface surface = VevoSurface::raised, int padding = Vevo::Space::lg) {
        auto *card = new VevoCard(appearance, surface, padding);
        card->column()->addWidget(content);
        return card;
    };
    auto *header =
        new VevoPageHeader(appearance, u"Settings"_s, u"Game and Wine"_s, u"Where the game lives and how it starts."_s);
    header->addAction(new VevoButton(appearance, u"Open Logs"_s, VevoButtonKind::outline));
    page->column()->addWidget(header);

    auto *rows = new VevoRowList(appearance);
    rows->addRow(new VevoSettingRow(appearance, u"Game folder"_s,
                                    u"The game folder could not be found at its usual place in the Wine prefix"_s,
                                    new VevoButton(appearance, u"Change…"_s)));
    rows->addRow(new VevoSettingRow(appearance, u"Wine"_s, u"Version 9.0 · 64-bit"_s,
                                    new VevoBadge(appearance, u"Healthy"_s, VevoTone::ok)));
    auto *section = new QVBoxLayout;
    section->setSpacing(Vevo::Space::sm);
    section->addWidget(new VevoSectionLabel(appearance, u"Installation"_s));
    section->addWidget(card(rows));
    page->column()->addLayout(section);

    auto *update = new VevoInfoLine(appearance, u"Update available"_s, u"Version 2.4 is ready to download."_s);
    update->setSymbol(u"arrow.down.circle"_s);
    VevoCard *tinted = card(update);
    tinted->setSurface(VevoSurface::tinted, VevoTone::info);
    page->column()->addWidget(tinted);

    auto *disclosure = new VevoDisclosure(
        appearance, u"Advanced"_s, new VevoInfoLine(appearance, u"Wine prefix"_s, u"~/Library/Tarnhold/prefix"_s));
    disclosure->setSubtitle(u"Prefix, logs and diagnostics"_s);
    disclosure->setSymbol(u"slider.horizontal.3"_s);
    disclosure->setExpanded(true);
    VevoCard *filters = card(new VevoSectionLabel(appearance, u"Tags"_s), VevoSurface::well);
    // Badges in every tone, one far too long for any row.
    auto *tags = new VevoFlow;
    int tone = 0;
    for (const char *tag :
         {"Ranked", "2 players", "Community", "A map whose name is far too long for any row", "Beta", "Desert", "New"})
        tags->addWidget(new VevoBadge(appearance, QString::fromUtf8(tag), VevoTone(tone++ % 6)));
    filters->column()->addLayout(tags);
    auto *split = new VevoSplit;
    split->addWidget(card(disclosure));
    split->addWidget(filters);
    page->column()->addLayout(split);

    auto *empty =
        new VevoEmptyState(appearance, u"No maps yet"_s,
                           u"Maps you download from the community appear here, ready to play in any game you host."_s);
    empty->setSymbol(u"map.fill"_s);
    empty->setShowsProgress(true);
    empty->addAction(new VevoButton(appearance, u"Browse Community Maps"_s, VevoButtonKind::primary));
    page->column()->addWidget(card(empty, VevoSurface::well, 0));
}

namespace {

// Each sheet on the window's canvas, with motion reduced so nothing is caught
// mid-way, saved for a person to judge: the page wide and in the narrowest
// window beside the sidebar, light and then dark. On switching, every design
// widget in view repaints on screen in the new scheme. At least the given
// size: show() would pick less on the offscreen screen.
TEST_F(DesignTest, ScreenshotsInEitherSchemeRepaintOnSwitching)
{
    reduceMotion();
    const std::tuple<const char *, QSize, void (*)(VevoAppearance &, QWidget &)> sheets[] = {
        {"design-controls-%1", {480, 0}, buildControls},
        {"design-page-%1-1200", {1200, 800}, buildSettingsPage},
        {"design-page-%1-648", {648, 800}, buildSettingsPage}};
    for (const auto &[name, size, build] : sheets) {
        const auto open = [&, build = build](QWidget &canvas, QSize atLeast) {
            canvas.setAutoFillBackground(true);
            canvas.setPalette(QPalette(appearance.color(Vevo::canvas)));
            build(appearance, canvas);
            canvas.resize(canvas.sizeHint().expandedTo(atLeast));
            canvas.show();
            // Lets the page lay its column out at the final width.
            QCoreApplication::processEvents();
        };
        platform.darkAppearance = false;
        appearance.refresh();
        QWidget canvas;
        open(canvas, size);
        saveScreenshot(canvas, QString::fromUtf8(name).arg(u"light"));
        QList<std::pair<QWidget *, QImage>> light;
        for (QWidget *widget : canvas.findChildren<QWidget *>()) {
            if (QLatin1String(widget->metaObject()->className()).startsWith(u"Vevo"))
                light.append({widget, widget->grab().toImage()});
        }

        // The canvas turns first, so only the widgets' own repaints can show
        // them in the new scheme.
        const QColor dark = Vevo::canvas.color(VevoScheme::dark);
        canvas.setPalette(QPalette(dark));
        const auto onScreen = [&] {
            return canvas.screen()->grabWindow(canvas.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        };
        ASSERT_TRUE(eventually([&] { return onScreen().pixel(1, 1) == dark.rgb(); }));
        platform.darkAppearance = true;
        appearance.refresh();
        // No widget paints one scheme only.
        for (const auto &[widget, image] : light)
            EXPECT_NE(widget->grab().toImage(), image) << widget->metaObject()->className();
        // On screen the sheet soon shows what one built dark shows: nothing
        // missed the repaint or kept a colour of the light scheme (the dark
        // screenshot shows a kept colour; a missed repaint shows only on
        // screen).
        QWidget fresh;
        open(fresh, canvas.size());
        const QImage expected = fresh.grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(eventually([&] { return onScreen() == expected; }));
        saveScreenshot(canvas, QString::fromUtf8(name).arg(u"dark"));
    }
}

} // namespace
