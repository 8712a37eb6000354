#pragma once

#include "content/Services.h"
#include "process/WineSupervisor.h"

#include <optional>

// The Wine processes of the installed runtime and prefix the record names;
// none when either is missing.
std::optional<WineSupervisor> installedWine(const Services &services);
