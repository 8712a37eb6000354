#pragma once

#include <QByteArray>
#include <QString>

// Changes to Tarnhold's own files and folders that an operation cannot go on
// without. Each throws a UserFacingError naming the item when it fails.

// Creates the folder with any missing parents.
void makeFolder(const QString &path);
// Removes a file or a whole folder. A link is removed itself: what it points
// to may not be Tarnhold's.
void removeItem(const QString &path);
// Removes an item of Tarnhold's own that it no longer needs; one that cannot
// be removed is left for the user rather than failing what went before.
void removeQuietly(const QString &path);
// Renames an item, a link as itself, to a target that does not exist yet; it
// moves whole or not at all within one volume.
void moveItem(const QString &from, const QString &to);
// Writes the file atomically: the old one stays whole until the new one is.
// A link in its place is replaced, never written through.
void replaceFile(const QString &path, const QByteArray &contents);
// Copies a file to a target that does not exist yet.
void copyFile(const QString &source, const QString &target);
