#pragma once

#include <QString>

#include <optional>

// One map folder in the game's Maps folder.
struct InstalledMap
{
    enum class Source { ranked, cncLabs, managed, personal };

    QString id; // the folder's full path
    QString name;
    QString folderURL;
    std::optional<QString> thumbnailURL;
    Source source = Source::personal;
    bool containsINI = false;

    bool operator==(const InstalledMap &) const = default;
};

// "Ranked release", "C&C Labs", "Managed collection", "Personal map".
QString label(InstalledMap::Source source);
// "ranked", "cncLabs", "managed", "personal", as the status command reports it.
QString caseName(InstalledMap::Source source);
