#pragma once

#include "setup/SteamSessionPhase.h"

#include <ostream>

// Failure messages name the phase, and a failure's sentence.
inline void PrintTo(const SteamSessionPhase &phase, std::ostream *out)
{
    static const char *const names[] = {"failed",    "idle",        "connecting", "password",
                                        "guardCode", "downloading", "validating", "complete"};
    *out << names[int(phase.kind())] << ' ' << phase.failureText().toStdString();
}
