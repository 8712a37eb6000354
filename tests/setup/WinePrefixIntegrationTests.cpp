#include "SetupLog.h"
#include "process/WineEnvironment.h"
#include "setup/WinePrefix.h"
#include "support/DebianWine.h"
#include "support/Outcome.h"
#include "support/TestServices.h"

namespace {

using namespace Qt::StringLiterals;

// Debian's Wine creates a real prefix under supervision, and the next
// preparation finds it complete.
TEST(DebianWinePrefix, IsCreatedOnceAndThenReused)
{
    if (!DebianWine::installed())
        GTEST_SKIP() << DebianWine::missing;
    TestServices test;
    const QString runtime = DebianWine::resourcesFolder() + u"/Runtime"_s;
    const QString prefix = FileTree::inHome(u"Prefix"_s);
    const WineSupervisor supervisor(runtime, prefix, wineEnvironment(runtime, prefix),
                                    createPlatform()->listProcessesCommand(), test.timing.wine);
    WinePrefix winePrefix(test.services(), test.operation);
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
