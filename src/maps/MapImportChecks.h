#pragma once

#include <QString>
#include <QStringList>

// What a map import accepts from the packages the user picks. The checks
// read the disk but change nothing, so the import runs them off the GUI
// thread.

// The map folders below root, each holding a ".map" file named like itself
// (letter case ignored), hidden items and links skipped: at most 200,
// sorted by name. Empty when root cannot be read.
QStringList mapDirectories(const QString &root);

// Throws CorruptFileError unless the archive listing, one entry a line,
// names 1 to 5000 entries, none absolute, with a backslash, with a ".."
// step or with a first step beginning with "~".
void validateZipListing(const QString &listing);

// Throws CorruptFileError unless folder is a real folder, not hidden, with
// a name of at most 160 characters, holding its own ".map" file, without a
// link anywhere inside, and with at most 150,000,000 bytes of files.
void validateMapDirectory(const QString &folder);
