#include "SetupFlowTest.h"
#include "base/Locations.h"
#include "process/ProcessRunner.h"
#include "support/DebianWine.h"
#include "support/Outcome.h"

namespace {

// The runtime the build carries installs like the Mac's bundled one and
// runs Debian's Wine from its new place.
TEST_F(SetupFlowTest, InstallsTheBuildsRuntimeAndItsWineRuns)
{
    if (!DebianWine::installed())
        GTEST_SKIP() << DebianWine::missing;
    platform.resources = DebianWine::resourcesFolder();
    await(flow.installRuntime());
    const QString wine = Locations::currentRuntimeFolder() + QStringLiteral("/bin/wine");
    const auto version = outcomeOf(ProcessRunner::run(wine, {QStringLiteral("--version")}, {}, {}, 60.0));
    EXPECT_TRUE(version.value.value_or(QString()).startsWith(QStringLiteral("wine-")))
        << "wine --version failed after: " << operation.errorMessage().value_or(QString()).toStdString();
}

} // namespace
