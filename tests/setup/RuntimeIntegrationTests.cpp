#include "SetupFlowTest.h"
#include "base/Locations.h"
#include "process/ProcessRunner.h"
#include "support/DebianWine.h"
#include "support/Outcome.h"

using namespace Qt::StringLiterals;

namespace {

// The runtime the build carries installs like the Mac's bundled one and
// runs Debian's Wine from its new place.
TEST_F(SetupFlowTest, InstallsTheBuildsRuntimeAndItsWineRuns)
{
    if (!DebianWine::installed())
        GTEST_SKIP() << DebianWine::missing;
    platform.resources = DebianWine::resourcesFolder();
    await(flow.installRuntime());
    ASSERT_EQ(operation.errorMessage(), std::nullopt);

    const auto version = outcomeOf(ProcessRunner::run(Locations::currentRuntimeFolder() + u"/bin/wine"_s,
                                                      {u"--version"_s}, std::nullopt, std::nullopt, 60.0));
    ASSERT_TRUE(version.value) << "wine --version failed";
    EXPECT_TRUE(version.value->startsWith(u"wine-"_s)) << version.value->toStdString();
}

} // namespace
