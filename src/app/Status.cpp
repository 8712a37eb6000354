#include "app/Status.h"

bool hasUpdate(const std::optional<ReleaseManifest> &release, const InstalledState &state)
{
    if (!release)
        return false;
    return !state.velmoraVersion || *state.velmoraVersion != release->version;
}

QString statusTitle(const StatusInputs &inputs)
{
    if (inputs.gameRunning)
        return QStringLiteral("Velmora is running");
    if (inputs.busy)
        return inputs.activity;
    if (inputs.ready)
        return inputs.update ? QStringLiteral("Update available") : QStringLiteral("Ready to play");
    return QStringLiteral("Installation required");
}
