#pragma once

#include "content/ThreePlayerMapPackage.h"

#include <QList>

// Every web base address and every pinned checksum or identifier Tarnhold
// relies on, in one value. Production uses the defaults; tests pass a
// catalog that points at their fixture server and pins their own archives.
struct Catalog
{
    QList<ThreePlayerMapPackage> threePlayerMaps = plainThreePlayerMapPackages();
};
