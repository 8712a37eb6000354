#include "base/OperationState.h"
#include "support/RecordingAlerts.h"
#include "ui/shell/MessageAlerts.h"

#include <gtest/gtest.h>

namespace {

// Messages set before the window exists are shown, the error first; one
// alert is up at a time, and each dismissed message is cleared unless it was
// replaced while its alert was open.
TEST(MessageAlerts, ShowsOneAlertAtATimeAndClearsEachOneDismissed)
{
    OperationState operation;
    operation.setNoticeMessage(QStringLiteral("Maps are installed."));
    operation.setErrorMessage(QStringLiteral("Map import failed: The archive is damaged."));
    RecordingAlerts alerts;
    MessageAlerts messageAlerts{operation, alerts};
    ASSERT_EQ(alerts.messages, QStringList{QStringLiteral("Map import failed: The archive is damaged.")});
    EXPECT_EQ(alerts.titles, QStringList{QStringLiteral("Tarnhold")});

    alerts.dismiss();
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_EQ(alerts.messages.last(), QStringLiteral("Maps are installed."));
    operation.setErrorMessage(QStringLiteral("Repair failed: No space left."));
    EXPECT_EQ(alerts.messages.size(), 2) << "the error waits instead of stacking";
    alerts.dismiss();
    EXPECT_EQ(operation.noticeMessage(), std::nullopt);
    EXPECT_EQ(alerts.messages.last(), QStringLiteral("Repair failed: No space left."));

    operation.setErrorMessage(QStringLiteral("Repair failed: The launcher is missing."));
    alerts.dismiss();
    EXPECT_EQ(alerts.messages.last(), QStringLiteral("Repair failed: The launcher is missing."));
    alerts.dismiss();
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_FALSE(alerts.isOpen());
    EXPECT_EQ(alerts.messages.size(), 4);
}

} // namespace
