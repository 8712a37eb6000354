#pragma once

#include "base/UserFacingError.h"

// Raised by the callers of WineSupervisor when the Wine environment cannot be
// brought up, or the game still runs where it must not.
class WineSupervisorError final : public UserFacingError
{
public:
    static WineSupervisorError environmentDidNotStart(int attempts)
    {
        return WineSupervisorError(
            QStringLiteral("The Mac compatibility environment did not start after %1 attempts. Tarnhold stopped all "
                           "leftover Wine processes each time. No Steam game files were deleted. Details are in "
                           "~/Library/Logs/Tarnhold/wine-setup.log.")
                .arg(attempts));
    }
    static WineSupervisorError gameAlreadyRunning()
    {
        return WineSupervisorError(
            QStringLiteral("Velmora is still running from an earlier session. Close the game first."));
    }

private:
    using UserFacingError::UserFacingError;
};
