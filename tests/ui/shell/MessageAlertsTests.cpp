#include "app/TarnholdModel.h"
#include "support/FakePlatform.h"
#include "support/RecordingAlerts.h"
#include "ui/shell/MessageAlerts.h"

#include <gtest/gtest.h>

namespace {

class MessageAlertsTest : public testing::Test
{
protected:
    TarnholdModel model{std::make_unique<FakePlatform>()};
    RecordingAlerts alerts;
    MessageAlerts messageAlerts{model, alerts};
};

TEST_F(MessageAlertsTest, DismissingTheErrorClearsItSoItIsNotShownAgain)
{
    model.setErrorMessage(QStringLiteral("Map import failed: The archive is damaged."));
    ASSERT_TRUE(alerts.isOpen());
    EXPECT_EQ(alerts.titles, QStringList{QStringLiteral("Tarnhold")});
    EXPECT_EQ(alerts.messages, QStringList{QStringLiteral("Map import failed: The archive is damaged.")});

    alerts.dismiss();
    EXPECT_EQ(model.errorMessage(), std::nullopt);
    model.setNoticeMessage(std::nullopt);
    EXPECT_EQ(alerts.messages.size(), 1);
}

TEST_F(MessageAlertsTest, ShowsOneAlertAtATimeErrorFirstThenTheNotice)
{
    model.setNoticeMessage(QStringLiteral("Maps are installed."));
    model.setErrorMessage(QStringLiteral("Repair failed: No space left."));
    ASSERT_EQ(alerts.messages, QStringList{QStringLiteral("Maps are installed.")});

    // The notice was up first; the error waits for it instead of stacking.
    alerts.dismiss();
    EXPECT_EQ(model.noticeMessage(), std::nullopt);
    EXPECT_EQ(alerts.messages.last(), QStringLiteral("Repair failed: No space left."));
    alerts.dismiss();
    EXPECT_EQ(model.errorMessage(), std::nullopt);
    EXPECT_FALSE(alerts.isOpen());
    EXPECT_EQ(alerts.messages.size(), 2);
}

TEST_F(MessageAlertsTest, AMessageReplacedWhileItsAlertIsOpenIsShownNextNotCleared)
{
    model.setErrorMessage(QStringLiteral("First failure."));
    model.setErrorMessage(QStringLiteral("Second failure."));
    alerts.dismiss();
    EXPECT_EQ(model.errorMessage(), QStringLiteral("Second failure."));
    EXPECT_EQ(alerts.messages.last(), QStringLiteral("Second failure."));
}

TEST(MessageAlerts, AMessageSetBeforeTheWindowExistsIsShown)
{
    TarnholdModel model{std::make_unique<FakePlatform>()};
    model.setErrorMessage(QStringLiteral("Early failure."));
    RecordingAlerts alerts;
    MessageAlerts messageAlerts{model, alerts};
    EXPECT_EQ(alerts.messages, QStringList{QStringLiteral("Early failure.")});
}

} // namespace
