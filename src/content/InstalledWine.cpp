#include "content/InstalledWine.h"

#include "base/InstallationRecord.h"
#include "base/InstalledLocations.h"
#include "platform/Platform.h"
#include "process/WineEnvironment.h"

std::optional<WineSupervisor> installedWine(const Services &services)
{
    const InstalledState state = services.record.state();
    const std::optional<QString> runtime = runtimeURL(state);
    const std::optional<QString> prefix = prefixURL(state);
    if (!runtime || !prefix)
        return std::nullopt;
    return WineSupervisor(*runtime, *prefix, wineEnvironment(*runtime, *prefix),
                          services.platform.listProcessesCommand(), services.timing.wine);
}
