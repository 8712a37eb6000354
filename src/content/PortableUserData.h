#pragma once

#include <QString>
#include <QStringList>

// The folders of the client's portable package that hold the player's data.
// An installation never copies them into the game folder: the package's
// copies are kept as the official ones, in one place outside it.
inline const QStringList portableUserDataDirectories{QStringLiteral("Maps"), QStringLiteral("VelmoraGameData")};

// Each throws a UserFacingError at the first item it cannot move, copy or
// remove.

// Moves source's user-data folders into the official store, replacing
// stored copies of the same name.
void storeOfficialPortableUserData(const QString &source);
// Removes the game folder's copies that the store also holds; a copy the
// store lacks stays.
void removeLegacyPortableUserData(const QString &game);
// Moves the game folder's copies into the store, replacing stored ones.
void migrateLegacyPortableUserData(const QString &game);
