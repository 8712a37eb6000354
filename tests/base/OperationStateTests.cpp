#include "base/OperationState.h"
#include "base/UserFacingError.h"

#include <gtest/gtest.h>

namespace {

TEST(OperationState, ProgressOnlyMovesForwardAndAFailureKeepsIt)
{
    OperationState operation;
    EXPECT_TRUE(operation.begin(InstallerPhase::community, 0.08, QStringLiteral("Working…")));
    operation.advance(0.2, 0.6, 0.5);
    EXPECT_DOUBLE_EQ(operation.progress(), 0.4);
    operation.advance(0.2, 0.6, 0.1);
    EXPECT_DOUBLE_EQ(operation.progress(), 0.4);
    operation.fail(QStringLiteral("Repair failed: "), UserFacingError(QStringLiteral("The launcher is missing.")));
    EXPECT_EQ(operation.errorMessage(), QStringLiteral("Repair failed: The launcher is missing."));
    EXPECT_FALSE(operation.isBusy());
    EXPECT_DOUBLE_EQ(operation.progress(), 0.4);

    EXPECT_TRUE(operation.begin(InstallerPhase::community, 0.5, QStringLiteral("Working…")));
    operation.finish(QStringLiteral("Done"), QStringLiteral("All done."));
    EXPECT_DOUBLE_EQ(operation.progress(), 1.0);
    EXPECT_EQ(operation.activity(), QStringLiteral("Done"));
    EXPECT_EQ(operation.noticeMessage(), QStringLiteral("All done."));
    EXPECT_FALSE(operation.isBusy());
}

} // namespace
