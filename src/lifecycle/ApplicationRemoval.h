#pragma once

class Platform;

// Writes the platform's uninstall script to the temporary folder and starts
// it, detached, with the application's path: it moves the application to
// the Trash once Tarnhold has quit. Throws a UserFacingError when the script
// cannot be written, made executable or started.
void startApplicationRemoval(const Platform &platform);
