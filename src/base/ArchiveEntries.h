#pragma once

#include <QString>

// Whether every entry of an archive listing, one name per line, unpacks
// inside the folder it is unpacked into: no absolute name and no ".." step,
// with either separator, since unzip reads a backslash as one.
bool archiveEntriesStayInside(const QString &listing);
