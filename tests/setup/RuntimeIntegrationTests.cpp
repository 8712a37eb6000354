#include "SetupFlowTest.h"
#include "SetupLog.h"
#include "process/ProcessRunner.h"
#include "process/WineEnvironment.h"
#include "setup/WinePrefix.h"
#include "support/DebianWine.h"
#include "support/Outcome.h"

namespace {

using namespace Qt::StringLiterals;

// The runtime the build carries installs like the Mac's bundled one and runs
// Debian's Wine from its new place, which creates a real prefix under
// supervision; the next preparation finds it complete.
TEST_F(SetupFlowTest, InstallsTheBuildsRuntimeWhoseWineCreatesAPrefix)
{
    if (!DebianWine::installed())
        GTEST_SKIP() << DebianWine::missing;
    platform.resources = DebianWine::resourcesFolder();
    await(flow.installRuntime());
    const QString runtime = Locations::currentRuntimeFolder();
    const auto version = outcomeOf(ProcessRunner::run(runtime + u"/bin/wine"_s, {u"--version"_s}, {}, {}, 60.0));
    ASSERT_TRUE(version.value.value_or(QString()).startsWith(u"wine-"_s))
        << "wine --version failed after: " << operation.errorMessage().value_or(QString()).toStdString();

    const QString prefix = FileTree::inHome(u"Prefix"_s);
    const WineSupervisor supervisor(runtime, prefix, wineEnvironment(runtime, prefix),
                                    createPlatform()->listProcessesCommand(), timing.wine);
    WinePrefix winePrefix(services(), operation);
    const auto prepare = [&] {
        return outcomeOf(winePrefix.prepareWinePrefix(supervisor, runtime + u"/bin/wine"_s,
                                                      runtime + u"/lib/wine/x86_64-windows/wineboot.exe"_s));
    };
    EXPECT_TRUE(prepare().value);
    EXPECT_TRUE(supervisor.prefixIsUsable());
    EXPECT_TRUE(prepare().value);
    EXPECT_TRUE(setupLogReads({u"wineboot attempt 1 of 3 started\\."_s,
                               u"wineboot (finished after \\d+ s|exited with status \\d+; continuing)\\."_s,
                               u"Reusing the existing Windows environment; skipping wineboot\\."_s}));
    QCoro::waitFor(supervisor.shutDown());
}

} // namespace
