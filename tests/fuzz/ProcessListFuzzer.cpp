#include "FuzzRequire.h"
#include "process/WineSupervisor.h"

#include <cmath>

// Any program of the user's chooses its own command line, which ps prints;
// the supervisor sends signals to the ids it reads.
FUZZ_TARGET(bytes)
{
    const QString runtime = QStringLiteral("/rt");
    for (const WineProcess &process : WineSupervisor::parseProcessList(QString::fromUtf8(bytes), runtime)) {
        // kill() takes an id that is not positive as a group or every process.
        FUZZ_REQUIRE(process.pid > 0);
        FUZZ_REQUIRE(std::isfinite(process.cpu) && process.cpu >= 0.0);
        FUZZ_REQUIRE(process.command.contains(runtime) && !process.command.contains(u'\n'));
    }
}
