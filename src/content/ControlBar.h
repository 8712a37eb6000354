#pragma once

#include "content/ControlBarPackage.h"
#include "content/Services.h"

#include <QCoroTask>

#include <optional>

struct InstalledState;

// The Control Bar Pro variant for resolution with GenTool's d3d8.dll, ready
// in its prepared folder. A complete folder is reused without a request;
// otherwise both pinned archives are fetched (or taken from their kept
// copies), unpacked and the folder assembled anew. Main thread.
QCoro::Task<PreparedControlBar> prepareControlBar(Services services, QString resolution);

// The package the record says is installed, when its prepared folder is
// still complete. The archives are not consulted.
std::optional<PreparedControlBar> cachedControlBar(const InstalledState &state, const ControlBarPins &pins = {});

// Puts the prepared files into the game folder, copying only those that
// differ. Every other interface file there, and a d3d8.dll that is not
// GenTool's, is moved into a new backup folder first, never deleted.
void installPreparedControlBar(const PreparedControlBar &prepared, const QString &gameFolder);
