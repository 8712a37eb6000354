#include "support/FakePlatform.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoButton.h"
#include "ui/design/VevoEmptyState.h"
#include "ui/design/VevoInfoLine.h"
#include "ui/design/VevoPageHeader.h"
#include "ui/design/VevoRowList.h"
#include "ui/design/VevoSectionLabel.h"
#include "ui/design/VevoSettingRow.h"
#include "ui/design/VevoText.h"

#include <gtest/gtest.h>

#include <QVBoxLayout>

namespace {

const QString longText = QStringLiteral("The game folder could not be found at its usual place in the Wine prefix");

// Long texts elide inside their room, or wrap onto as many lines as they
// need, and are read out in full.
TEST(VevoLayout, LongTextsElideOrWrapInsideTheirRoomAndKeepTheirFullName)
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
    auto *empty = new VevoEmptyState(appearance, QStringLiteral("No maps yet"), longText);
    column->addWidget(header);
    column->addWidget(row);
    column->addWidget(section);
    column->addWidget(empty);
    page.resize(300, page.heightForWidth(300));
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
    VevoText *message = empty->message();
    EXPECT_GT(message->height(), message->fontMetrics().height());
    EXPECT_GE(message->height(), message->heightForWidth(message->width()));
}

TEST(VevoLayout, RowListDividesOnlyBetweenRows)
{
    FakePlatform platform;
    VevoAppearance appearance(platform);
    VevoRowList list(appearance);
    for (int row = 0; row < 3; ++row)
        list.addRow(new QWidget);
    EXPECT_EQ(list.findChildren<VevoDivider *>().size(), 2);
}

} // namespace
