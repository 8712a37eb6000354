#pragma once

#include "base/InstalledState.h"
#include "client/ReleaseManifest.h"

#include <QString>

#include <optional>

// Any difference between the channel's version and the installed one counts
// as an update, an older release included: versions have no order.
bool hasUpdate(const std::optional<ReleaseManifest> &release, const InstalledState &state);

struct StatusInputs
{
    bool gameRunning = false;
    bool busy = false;
    QString activity;
    bool ready = false;
    bool update = false;
};

// The headline of the window and the status command.
QString statusTitle(const StatusInputs &inputs);
