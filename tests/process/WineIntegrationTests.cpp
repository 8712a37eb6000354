#include "fixtures/DebianWineRuntime.h"
#include "process/ProcessRunner.h"
#include "process/ProcessRunnerError.h"
#include "process/WineEnvironment.h"
#include "process/WineSupervisor.h"
#include "support/FakePlatform.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

namespace {

// Any exit status is accepted, since the prefix itself is judged; a failed
// start or the time limit is not.
QCoro::Task<> wineboot(QString runtime, EnvironmentVariables environment)
{
    const QStringList arguments{runtime + QStringLiteral("/lib/wine/x86_64-windows/wineboot.exe"),
                                QStringLiteral("-u")};
    try {
        co_await ProcessRunner::run(runtime + QStringLiteral("/bin/wine"), arguments, environment, std::nullopt, 300.0);
    } catch (const ProcessRunnerError &error) {
        EXPECT_EQ(error.kind(), ProcessRunnerError::Kind::failed) << error.what();
    } catch (const std::exception &error) {
        ADD_FAILURE() << error.what();
    }
}

// Creates a real prefix with Debian's Wine the way setup does, then stops
// every process of it.
TEST(DebianWine, CreatesAUsablePrefixAndShutsItDown)
{
    const QString runtime = FileTree::inHome(QStringLiteral("Runtime/current"));
    const QString prefix = FileTree::inHome(QStringLiteral("Prefix"));
    if (!DebianWineRuntime::create(runtime))
        GTEST_SKIP() << "Debian's Wine is not installed (apt-get install --no-install-recommends wine64)";

    const WineSupervisor supervisor(runtime, prefix, wineEnvironment(runtime, prefix),
                                    FakePlatform().listProcessesCommand());
    QCoro::waitFor(wineboot(runtime, supervisor.prefixCreationEnvironment()));
    // Wine's processes outlive wineboot; they show Windows paths as command
    // lines and are found through their environment.
    EXPECT_FALSE(QCoro::waitFor(supervisor.runningProcesses()).isEmpty());

    // The registry reaches the disk when the server stops.
    QCoro::waitFor(supervisor.shutDown());
    EXPECT_TRUE(QCoro::waitFor(supervisor.runningProcesses()).isEmpty());
    EXPECT_TRUE(supervisor.prefixIsUsable());
}

} // namespace
