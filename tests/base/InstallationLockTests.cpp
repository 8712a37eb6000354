#include "base/InstallationLock.h"
#include "base/OperationState.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

// A second lock on the same file stands for another Tarnhold process: Qt
// refuses a lock file whose owner is alive, even when it is this process.
TEST(InstallationLock, AnOperationWaitsWhileAnotherProcessWorksAndClaimsNest)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("support/Installation.lock"));
    InstallationLock ours(path);
    InstallationLock theirs(path);
    OperationState operation;
    operation.setInstallationLock(&ours);

    ASSERT_TRUE(theirs.claim());
    EXPECT_FALSE(operation.begin(QStringLiteral("Working…")));
    EXPECT_FALSE(operation.isBusy());
    EXPECT_EQ(operation.errorMessage(),
              QStringLiteral("Another Tarnhold is working on this installation. Try again when it has finished."));

    theirs.release();
    ASSERT_TRUE(operation.claimInstallation());
    ASSERT_TRUE(operation.begin(QStringLiteral("Working…")));
    operation.end();
    EXPECT_FALSE(theirs.claim()) << "the outer claim still holds the lock";
    operation.releaseInstallation();
    EXPECT_TRUE(theirs.claim());
}

} // namespace
