#pragma once

#include "base/AntiCheatPins.h"

#include <QCoroTask>
#include <QString>

// Points the anti-cheat settings in the game folder at production when the
// production executable is in place (keeping the old file in the Repairs
// folder) and returns the product identifier to install. Synchronous: the
// settings are small and launching waits for them. Throws a UserFacingError
// when the settings cannot be read or are damaged, or when the backup or the
// new settings cannot be written; without a backup the settings stay as
// they were.
QString prepareEACConfiguration(const QString &game, const AntiCheatPins &pins);

// Installs Easy Anti-Cheat into the prefix by running the client's own
// installer under Wine with the settings' product identifier. Throws
// MissingFileError when the installer is not in the game folder, and the
// process runner's errors when the installer fails.
QCoro::Task<> installEAC(QString runtime, QString prefix, QString game, AntiCheatPins pins);
