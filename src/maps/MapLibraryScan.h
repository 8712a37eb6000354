#pragma once

#include "maps/InstalledMap.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

// The lowercased folder names in the managed-map list; empty when it is not
// a JSON array of strings.
QSet<QString> decodeManagedMapNames(const QByteArray &list);
// The same for the list file; empty when it is missing or unreadable.
QSet<QString> readManagedMapNames(const QString &listFile);

// Lists the map folders directly inside mapsFolder, labelled by origin and
// sorted by name ignoring case (stable). Both name sets are lowercased.
// Never fails: an unreadable folder gives an empty list.
QList<InstalledMap> scanMapLibrary(const QString &mapsFolder, const QSet<QString> &managedNames,
                                   const QSet<QString> &threePlayerNames);
