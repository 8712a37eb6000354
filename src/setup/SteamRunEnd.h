#pragma once

#include "setup/SteamSessionPhase.h"

#include <optional>

// A failure SteamCMD names on its console that its exit status does not
// tell apart from others.
enum class SteamReportedFailure {
    // The account does not own the game.
    noSubscription,
    // The download folder's disk is full or cannot be written.
    diskNotWritable,
};

// How a SteamCMD run ended, as the end of the run sees it.
struct SteamRunEnd
{
    int status = 0;
    bool gameIsComplete = false;
    std::optional<SteamReportedFailure> reportedFailure;
};

// The phase after SteamCMD ended inside Tarnhold. A run that had already
// failed keeps the sentence that said why.
SteamSessionPhase phaseAfterEmbeddedRun(const SteamSessionPhase &current, const SteamRunEnd &end);

// The phase after SteamCMD ended in a Terminal window, where Tarnhold sees
// only the status; -1 means the window closed before SteamCMD finished.
SteamSessionPhase phaseAfterTerminalRun(const SteamRunEnd &end);
