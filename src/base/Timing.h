#pragma once

#include "base/WineTiming.h"

#include <chrono>

// Every wait Tarnhold's downloads and watches make, with the production values; tests
// shorten them so no test waits for real seconds.
struct Timing
{
    // The real length of one second of a server-requested back-off pause.
    // Announcements always name the seconds the server asked for.
    std::chrono::nanoseconds backOffSecond = std::chrono::seconds(1);
    // How long a transfer may go without receiving any data before it is
    // abandoned; Qt has no limit of its own. A minute outlasts a slow CDN's
    // first byte and still ends a stalled download.
    std::chrono::milliseconds transferTimeout = std::chrono::seconds(60);
    // The pause before each archive fetched from the C&C Labs site, which
    // refuses visitors that come faster.
    std::chrono::milliseconds cncLabsPause = std::chrono::seconds(2);
    // How long the question for the ranked maps' latest commit may go
    // without any data; its answer is small, so a minute means GitHub is not
    // answering.
    std::chrono::milliseconds gitHubQueryTimeout = std::chrono::seconds(60);
    // How often a download running in a terminal window is looked at.
    std::chrono::milliseconds steamTerminalPoll = std::chrono::seconds(1);
    // How long the Rosetta installer may take, the administrator prompt
    // included.
    std::chrono::milliseconds rosettaInstallLimit = std::chrono::seconds(900);
    WineTiming wine;
};
