#pragma once

#include <QFileInfo>
#include <QList>
#include <QString>

#include <optional>

// Searches the tree below root depth-first, skipping hidden items and never
// following symbolic links to folders, for the first entry (file or folder)
// whose name equals name ignoring letter case. Absent when root cannot be
// read or nothing matches.
std::optional<QString> findFile(const QString &name, const QString &root);

// A folder is a map when, at any depth with hidden items skipped, it holds a
// regular file named like the folder with the extension ".map", letter case
// ignored. The library scan uses the same test.
bool isMapFolder(const QString &path);

// What the map library shows of one map folder. A single walk of the
// folder's tree answers every question, where asking them one at a time
// would walk it twice and list it once more.
struct MapFolderSurvey
{
    QFileInfo folder;
    bool containsINI = false; // "map.ini" anywhere in the tree
    // An image named like the folder first, then any other, each group by
    // name ignoring case.
    std::optional<QString> thumbnail;
};

// The map folders directly inside folder with what they hold, in directory
// order; empty when folder cannot be listed. Linked folders are left out.
QList<MapFolderSurvey> surveyMapFolders(const QString &folder);
