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
// Writes the file atomically: the old one stays whole until the new one is.
// A link in its place is replaced, never written through.
void replaceFile(const QString &path, const QByteArray &contents);
// Copies a file to a target that does not exist yet.
void copyFile(const QString &source, const QString &target);
// Moves a file or folder, a link as itself, to a target that does not exist yet.
void moveItem(const QString &source, const QString &target);
