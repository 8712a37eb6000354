#pragma once

// The phases the busy overlay shows; the raw values are their order.
enum class InstallerPhase {
    preparing = 0,
    environment = 1,
    gameFiles = 2,
    onlineClient = 3,
    community = 4,
    complete = 5
};
