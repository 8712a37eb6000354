#pragma once

#include <chrono>

// Every wait of the Wine supervisor and of the prefix creation, with the
// production values; tests shorten them.
struct WineTiming
{
    // One wineboot attempt; a prefix creation that takes longer has hung.
    std::chrono::milliseconds winebootLimit = std::chrono::seconds(90);
    // Between two process listings while waiting for Wine to exit.
    std::chrono::milliseconds pollInterval = std::chrono::milliseconds(250);
    // What one "wineserver -k" or "wineserver -w" may take.
    std::chrono::milliseconds wineserverLimit = std::chrono::seconds(15);
    // How long Wine gets to exit on its own after "wineserver -k".
    std::chrono::milliseconds shutDownGrace = std::chrono::seconds(6);
    // How long the processes get after SIGTERM, and again after SIGKILL.
    std::chrono::milliseconds signalWait = std::chrono::seconds(2);
    // The longest one process listing may take before it counts as empty.
    std::chrono::milliseconds listingLimit = std::chrono::seconds(10);
};
