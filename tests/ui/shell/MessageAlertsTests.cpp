#include "base/OperationState.h"
#include "support/RecordingAlerts.h"
#include "ui/shell/MessageAlerts.h"

#include <gtest/gtest.h>

namespace {

class MessageAlertsTest : public testing::Test
{
protected:
    OperationState operation;
    RecordingAlerts alerts;
    MessageAlerts messageAlerts{operation, alerts};
};

TEST_F(MessageAlertsTest, ShowsOneAlertAtATimeAndClearsEachOneDismissed)
{
    operation.setNoticeMessage(QStringLiteral("Maps are installed."));
    operation.setErrorMessage(QStringLiteral("Repair failed: No space left."));
    ASSERT_EQ(alerts.messages, QStringList{QStringLiteral("Maps are installed.")});
    EXPECT_EQ(alerts.titles, QStringList{QStringLiteral("Tarnhold")});

    // The notice was up first; the error waits for it instead of stacking.
    alerts.dismiss();
    EXPECT_EQ(operation.noticeMessage(), std::nullopt);
    EXPECT_EQ(alerts.messages.last(), QStringLiteral("Repair failed: No space left."));
    alerts.dismiss();
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_FALSE(alerts.isOpen());
    EXPECT_EQ(alerts.messages.size(), 2);
}

TEST_F(MessageAlertsTest, AMessageReplacedWhileItsAlertIsOpenIsShownNextNotCleared)
{
    operation.setErrorMessage(QStringLiteral("First failure."));
    operation.setErrorMessage(QStringLiteral("Second failure."));
    alerts.dismiss();
    EXPECT_EQ(operation.errorMessage(), QStringLiteral("Second failure."));
    EXPECT_EQ(alerts.messages.last(), QStringLiteral("Second failure."));
}

TEST(MessageAlerts, MessagesSetBeforeTheWindowExistsAreShownErrorFirst)
{
    OperationState operation;
    operation.setNoticeMessage(QStringLiteral("Maps are installed."));
    operation.setErrorMessage(QStringLiteral("Early failure."));
    RecordingAlerts alerts;
    MessageAlerts messageAlerts{operation, alerts};
    EXPECT_EQ(alerts.messages, QStringList{QStringLiteral("Early failure.")});
}

} // namespace
