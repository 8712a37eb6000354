#include "support/FakePlatform.h"
#include "support/Screenshots.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoBadge.h"
#include "ui/design/VevoButton.h"
#include "ui/design/VevoCard.h"
#include "ui/design/VevoColors.h"
#include "ui/design/VevoDisclosure.h"
#include "ui/design/VevoEmptyState.h"
#include "ui/design/VevoInfoLine.h"
#include "ui/design/VevoKbd.h"
#include "ui/design/VevoPageHeader.h"
#include "ui/design/VevoRowList.h"
#include "ui/design/VevoSectionLabel.h"
#include "ui/design/VevoSettingRow.h"
#include "ui/design/VevoText.h"
#include "ui/design/VevoTextInput.h"

#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

const QString longText = QStringLiteral("The game folder could not be found at its usual place in the Wine prefix");

TEST(VevoLayout, LongTextsElideInsideTheirRoomAndKeepTheirFullName)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    QWidget page;
    auto *column = new QVBoxLayout(&page);
    auto *header = new VevoPageHeader(appearance, QStringLiteral("Library"), longText);
    header->addAction(new VevoButton(appearance, QStringLiteral("Refresh")));
    auto *row =
        new VevoSettingRow(appearance, longText, longText, new VevoButton(appearance, QStringLiteral("Change…")));
    auto *section = new VevoSectionLabel(appearance, longText);
    column->addWidget(header);
    column->addWidget(row);
    column->addWidget(section);
    page.resize(300, 300);
    page.show();

    for (VevoText *text : {header->title(), row->texts()->title(), row->texts()->detail(), section->label()}) {
        EXPECT_TRUE(text->shownText().endsWith(QStringLiteral("…"))) << text->shownText().toStdString();
        EXPECT_LE(text->fontMetrics().horizontalAdvance(text->shownText()), text->width());
        EXPECT_LE(text->mapTo(&page, QPoint(text->width(), 0)).x(), page.width());
    }
    EXPECT_LE(row->texts()->geometry().right(), row->accessory()->geometry().left());
    EXPECT_EQ(header->title()->accessibleName(), longText);
    EXPECT_EQ(section->label()->accessibleName(), longText);
    EXPECT_EQ(section->label()->text(), longText.toUpper());
}

TEST(VevoLayout, WrappingTextGetsTheHeightOfAllItsLines)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    VevoEmptyState empty(appearance, QStringLiteral("No maps yet"), longText);
    empty.resize(200, empty.heightForWidth(200));
    empty.show();
    VevoText *message = empty.message();
    EXPECT_GT(message->heightForWidth(message->width()), message->fontMetrics().height());
    EXPECT_GE(message->height(), message->heightForWidth(message->width()));
}

TEST(VevoLayout, RowListDividesOnlyBetweenRows)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    VevoRowList list(appearance);
    for (int row = 0; row < 3; ++row)
        list.addRow(new QWidget);
    EXPECT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.findChildren<VevoDivider *>().size(), 2);
}

// The layout pieces together as a settings page would use them.
TEST(VevoLayout, Screenshots)
{
    FakePlatform platform;
    platform.reducedMotion = true;
    for (bool dark : {false, true}) {
        platform.darkAppearance = dark;
        VevoAppearance appearance(platform);
        QWidget page;
        page.setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, appearance.color(Vevo::canvas));
        page.setPalette(palette);
        auto *column = new QVBoxLayout(&page);
        column->setContentsMargins(Vevo::Space::xl, Vevo::Space::xl, Vevo::Space::xl, Vevo::Space::xl);
        column->setSpacing(Vevo::Space::md);

        auto *header = new VevoPageHeader(appearance, QStringLiteral("Settings"), QStringLiteral("Game and Wine"),
                                          QStringLiteral("Where the game lives and how it starts."));
        header->addAction(new VevoButton(appearance, QStringLiteral("Open Logs"), VevoButtonKind::outline));
        column->addWidget(header);
        column->addSpacing(Vevo::Space::sm);
        auto *shortcut = new QHBoxLayout;
        shortcut->setSpacing(Vevo::Space::xxs);
        shortcut->addWidget(new VevoKbd(appearance, QStringLiteral("Ctrl")));
        shortcut->addWidget(new VevoKbd(appearance, QStringLiteral("R")));
        auto *trailing = new QWidget;
        trailing->setLayout(shortcut);
        shortcut->setContentsMargins(0, 0, 0, 0);
        column->addWidget(new VevoSectionLabel(appearance, QStringLiteral("Installation"), trailing));

        auto *card = new VevoCard(appearance);
        auto *rows = new VevoRowList(appearance);
        rows->addRow(new VevoSettingRow(appearance, QStringLiteral("Game folder"), longText,
                                        new VevoButton(appearance, QStringLiteral("Change…"))));
        auto *secure = new VevoTextInput(appearance, QStringLiteral("Password"));
        secure->setSecure(true);
        secure->setText(QStringLiteral("hunter2"));
        secure->setFixedWidth(180);
        rows->addRow(
            new VevoSettingRow(appearance, QStringLiteral("Account"), QStringLiteral("Kept in the keychain."), secure));
        rows->addRow(new VevoSettingRow(appearance, QStringLiteral("Wine"), QStringLiteral("Version 9.0 · 64-bit"),
                                        new VevoBadge(appearance, QStringLiteral("Healthy"), VevoTone::ok)));
        card->column()->addWidget(rows);
        column->addWidget(card);

        auto *tinted = new VevoCard(appearance);
        tinted->setSurface(VevoSurface::tinted, VevoTone::info);
        auto *update = new VevoInfoLine(appearance, QStringLiteral("Update available"),
                                        QStringLiteral("Version 2.4 is ready to download."));
        update->setSymbol(QStringLiteral("arrow.down.circle"));
        tinted->column()->addWidget(update);
        column->addWidget(tinted);

        auto *details = new VevoCard(appearance);
        auto *disclosure = new VevoDisclosure(
            appearance, QStringLiteral("Advanced"),
            new VevoInfoLine(appearance, QStringLiteral("Wine prefix"), QStringLiteral("~/Library/Tarnhold/prefix")));
        disclosure->setSubtitle(QStringLiteral("Prefix, logs and diagnostics"));
        disclosure->setExpanded(true);
        details->column()->addWidget(disclosure);
        column->addWidget(details);

        auto *well = new VevoCard(appearance, VevoSurface::well, 0);
        auto *empty = new VevoEmptyState(appearance, QStringLiteral("No maps yet"),
                                         QStringLiteral("Maps you download from the community appear here, ready to "
                                                        "play in any game you host."));
        empty->setSymbol(QStringLiteral("map.fill"));
        empty->setShowsProgress(true);
        empty->addAction(new VevoButton(appearance, QStringLiteral("Browse Maps"), VevoButtonKind::primary));
        well->column()->addWidget(empty);
        column->addWidget(well);

        page.resize(560, page.heightForWidth(560) > 0 ? page.heightForWidth(560) : page.sizeHint().height());
        page.show();
        saveScreenshot(page, dark ? QStringLiteral("design-layout-dark") : QStringLiteral("design-layout-light"));
    }
}

} // namespace
