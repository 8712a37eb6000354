#pragma once

#include "process/EnvironmentVariables.h"

#include <QString>

// The whole environment of every Wine child: a few of Tarnhold's own
// variables and the runtime's settings, nothing else inherited.
EnvironmentVariables wineEnvironment(const QString &runtime, const QString &prefix);
