#pragma once

#include <QList>
#include <QString>

// One pinned three-player map on the C&C Labs site: its item number, the
// exact folder name and the SHA-256 of its zip archive.
struct ThreePlayerMapPackage
{
    int itemID = 0;
    QString mapName;
    QString sha256;

    bool operator==(const ThreePlayerMapPackage &) const = default;
};

// The eleven plain three-player maps Tarnhold installs, in order.
QList<ThreePlayerMapPackage> plainThreePlayerMapPackages();
