#include "base/OperationState.h"
#include "support/RecordingAlerts.h"
#include "ui/shell/MessageAlerts.h"

#include <gtest/gtest.h>

namespace {

// A message replaced while its alert is open is shown next, not cleared.
TEST(MessageAlerts, ShowsOneAlertAtATimeAndClearsEachOneDismissed)
{
    OperationState operation;
    RecordingAlerts alerts;
    MessageAlerts messageAlerts{operation, alerts};
    operation.setNoticeMessage(QStringLiteral("Maps are installed."));
    operation.setErrorMessage(QStringLiteral("Repair failed: No space left."));
    ASSERT_EQ(alerts.messages, QStringList{QStringLiteral("Maps are installed.")});
    EXPECT_EQ(alerts.titles, QStringList{QStringLiteral("Tarnhold")});

    // The notice was up first; the error waits for it instead of stacking.
    alerts.dismiss();
    EXPECT_EQ(operation.noticeMessage(), std::nullopt);
    EXPECT_EQ(alerts.messages.last(), QStringLiteral("Repair failed: No space left."));
    operation.setErrorMessage(QStringLiteral("Repair failed: The launcher is missing."));
    alerts.dismiss();
    EXPECT_EQ(alerts.messages.last(), QStringLiteral("Repair failed: The launcher is missing."));
    alerts.dismiss();
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_FALSE(alerts.isOpen());
    EXPECT_EQ(alerts.messages.size(), 3);
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
