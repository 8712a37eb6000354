#include "platform/Platform.h"
#include "process/ProcessRunner.h"
#include "process/ProcessRunnerError.h"
#include "process/WineEnvironment.h"
#include "process/WineSupervisor.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// A runtime folder made from Debian's Wine (package wine64), as Tarnhold's
// Linux resources hold one. "bin/wine" and "bin/wineserver" are wrapper
// scripts, since Wine's loader finds its files through its own path; false
// when Debian's Wine is missing.
bool createDebianRuntime(const QString &runtime)
{
    const QString wineboot = u"/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/wineboot.exe"_s;
    for (const QString &path : {u"/usr/lib/wine/wine64"_s, u"/usr/lib/wine/wineserver"_s, wineboot}) {
        if (!QFileInfo::exists(path))
            return false;
    }
    FileTree::writeExecutable(runtime + u"/bin/wine"_s, "#!/bin/sh\nexec /usr/lib/wine/wine64 \"$@\"\n");
    FileTree::writeExecutable(runtime + u"/bin/wineserver"_s, "#!/bin/sh\nexec /usr/lib/wine/wineserver \"$@\"\n");
    FileTree::makeSymlink(wineboot, runtime + u"/lib/wine/x86_64-windows/wineboot.exe"_s);
    return true;
}

// Any exit status is accepted, since the prefix itself is judged; a failed
// start or the time limit is not.
QCoro::Task<> wineboot(QString runtime, EnvironmentVariables environment)
{
    const QStringList arguments{runtime + u"/lib/wine/x86_64-windows/wineboot.exe"_s, u"-u"_s};
    try {
        co_await ProcessRunner::run(runtime + u"/bin/wine"_s, arguments, environment, std::nullopt, 300.0);
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
    const QString runtime = FileTree::inHome(u"Runtime/current"_s);
    const QString prefix = FileTree::inHome(u"Prefix"_s);
    if (!createDebianRuntime(runtime))
        GTEST_SKIP() << "Debian's Wine is not installed (apt-get install --no-install-recommends wine64)";

    const WineSupervisor supervisor(runtime, prefix, wineEnvironment(runtime, prefix),
                                    createPlatform()->listProcessesCommand());
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
