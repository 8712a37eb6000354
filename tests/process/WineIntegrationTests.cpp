#include "platform/Platform.h"
#include "process/ProcessRunner.h"
#include "process/ProcessRunnerError.h"
#include "process/WineEnvironment.h"
#include "process/WineSupervisor.h"
#include "support/DebianWine.h"
#include "support/FileTree.h"
#include "support/Outcome.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Creates a real prefix with Debian's Wine the way setup does, then stops
// every process of it.
TEST(DebianWine, CreatesAUsablePrefixAndShutsItDown)
{
    if (!DebianWine::installed())
        GTEST_SKIP() << DebianWine::missing;
    const QString runtime = DebianWine::resourcesFolder() + u"/Runtime"_s;
    const QString prefix = FileTree::inHome(u"Prefix"_s);

    const WineSupervisor supervisor(runtime, prefix, wineEnvironment(runtime, prefix),
                                    createPlatform()->listProcessesCommand());
    const auto created = outcomeOf(ProcessRunner::run(runtime + u"/bin/wine"_s,
                                                      {runtime + u"/lib/wine/x86_64-windows/wineboot.exe"_s, u"-u"_s},
                                                      supervisor.prefixCreationEnvironment(), std::nullopt, 300.0));
    // Any exit status is accepted, since the prefix itself is judged; a failed
    // start or the time limit is not.
    const auto failure = created.failure<ProcessRunnerError>();
    EXPECT_TRUE(!created.error || (failure && failure->kind() == ProcessRunnerError::Kind::failed));
    // Wine's processes outlive wineboot; they show Windows paths as command
    // lines and are found through their environment.
    EXPECT_FALSE(QCoro::waitFor(supervisor.runningProcesses()).isEmpty());

    // The registry reaches the disk when the server stops.
    QCoro::waitFor(supervisor.shutDown());
    EXPECT_TRUE(QCoro::waitFor(supervisor.runningProcesses()).isEmpty());
    EXPECT_TRUE(supervisor.prefixIsUsable());
}

} // namespace
